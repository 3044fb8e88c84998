#!/usr/bin/env bash
# The installed program on its own: installs the build into a temporary root
# with DESTDIR and checks what a package would hold, then runs the installed
# programs from there with a bare environment (no LD_LIBRARY_PATH, no
# VANTORA_MODULE_DIR, an empty working directory), so nothing can come from
# the build tree.
# usage: check-install.sh BUILD_DIR VERSION INSTALLED_FILES SOURCE_DIR
set -euo pipefail
build=$1 version=$2 expected=$3 source=$4
export LC_ALL=C

fail() {
  echo "check-install: $*" >&2
  exit 1
}
need() {
  command -v "$1" >/dev/null || fail "$1 not found (scripts/install-deps installs it)"
}
need desktop-file-validate
need appstreamcli
need groff
need readelf

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vantora-install-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
prefix=$root/usr
DESTDIR=$root cmake --install "$build" --prefix /usr >"$tmp/install.log" ||
  fail "cmake --install failed: $(cat "$tmp/install.log")"

# Exactly the listed files and links: no test, benchmark or stray build file.
(cd "$prefix" && find . \( -type f -printf '%P\n' \) -o \( -type l -printf '%P -> %l\n' \)) |
  sort >"$tmp/files.txt"
diff -u "$expected" "$tmp/files.txt" || fail "installed files differ from $expected"

desktop-file-validate "$prefix/share/applications/vantora.desktop" ||
  fail "desktop entry does not validate"
appstreamcli validate --no-net --no-color "$prefix"/share/metainfo/*.metainfo.xml >"$tmp/as.log" ||
  fail "metainfo does not validate: $(cat "$tmp/as.log")"

# The manual page renders without a warning and names every option --help shows.
for page in "$prefix"/share/man/man1/*.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1) || fail "$page: $warnings"
  [[ -z $warnings ]] || fail "$page: $warnings"
done
groff -man -Tascii -P-cbou "$prefix/share/man/man1/vantora.1" 2>/dev/null >"$tmp/vantora.txt"

# The udev rule tags the devices detection recognises as Orvel cameras.
manufacturer=$(sed -n 's/.*kOrvelManufacturer\[\] = "\(.*\)";/\1/p' "$source/src/app/UsbDescription.h")
[[ -n $manufacturer ]] || fail "kOrvelManufacturer not found"
grep -q "ATTR{manufacturer}==\"$manufacturer\*\", TAG+=\"uaccess\"" \
  "$prefix/lib/udev/rules.d/70-vantora-orvel.rules" || fail "udev rule does not match \"$manufacturer\""

# The programs find the simulator library through their own RUNPATH.
for program in vantora vantora-dump; do
  runpath=$(readelf -d "$prefix/bin/$program" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  [[ $runpath == "\$ORIGIN/../lib/vantora" ]] || fail "$program: RUNPATH is '$runpath'"
done

# Runs an installed program with nothing inherited but PATH and, in a
# sanitizer build, the sanitizers' options (the leak suppressions).
mkdir -p "$tmp/work" "$tmp/home" "$tmp/run"
chmod 700 "$tmp/run"
sanitizer_options=()
for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
  [[ -n ${!name:-} ]] && sanitizer_options+=("$name=${!name}")
done
run() {
  (cd "$tmp/work" && env -i PATH=/usr/bin:/bin HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
    XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen "${sanitizer_options[@]}" "$@")
}

line=$(run "$prefix/bin/vantora" --version) || fail "vantora --version failed"
[[ $line == "Vantora $version" ]] || fail "vantora --version printed '$line'"

run "$prefix/bin/vantora" --help >"$tmp/help.txt" || fail "vantora --help failed"
grep -o -- '--[a-z][a-z-]*' "$tmp/help.txt" | sort -u >"$tmp/options.txt"
[[ -s $tmp/options.txt ]] || fail "vantora --help named no option"
while read -r option; do
  grep -q -- "$option" "$tmp/vantora.txt" || fail "the manual page does not name $option"
done <"$tmp/options.txt"

run "$prefix/bin/vantora-dump" --verbose --simulate Y800 Y800 >"$tmp/dump.txt" 2>"$tmp/dump.err" ||
  fail "vantora-dump failed: $(cat "$tmp/dump.err")"
grep -qx "vantora-dump: module directory $prefix/lib/vantora/modules" "$tmp/dump.err" ||
  fail "vantora-dump did not use the installed modules: $(grep 'module directory' "$tmp/dump.err")"
[[ $(wc -l <"$tmp/dump.txt") -gt 20 ]] || fail "vantora-dump printed only: $(cat "$tmp/dump.txt")"

# The window connects to a simulated camera and takes its picture.
run "$prefix/bin/vantora" --simulate Y800 --screenshot "$tmp/shot.png" >"$tmp/shot.log" 2>&1 ||
  fail "vantora --screenshot failed: $(tail -5 "$tmp/shot.log")"
[[ $(head -c 8 "$tmp/shot.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  fail "no PNG screenshot"
echo "check-install: installed tree in order ($(wc -l <"$tmp/files.txt") files)"
