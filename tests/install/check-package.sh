#!/usr/bin/env bash
# The Debian package as `make package` builds it: CPack into a temporary
# directory, then its name, its control fields and its file list, which must
# be the installed tree's list under /usr.
# usage: check-package.sh BUILD_DIR VERSION INSTALLED_FILES
set -euo pipefail
build=$1 version=$2 expected=$3
export LC_ALL=C

fail() {
  echo "check-package: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || fail "$tool not found (scripts/install-deps installs it)"
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vantora-package-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -20 "$tmp/cpack.log")"
deb=$tmp/vantora_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb"); cpack made: $(cd "$tmp" && ls ./*.deb 2>/dev/null)"

[[ $(dpkg-deb -f "$deb" Package) == vantora ]] || fail "wrong Package field"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "wrong Version field"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libturbojpeg0 libudev1; do
  [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
    fail "Depends lacks $library: $depends"
done

# Paths under ./usr/, directories left out, links as "path -> target".
dpkg-deb --contents "$deb" |
  awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' |
  sed -n 's|^\./usr/||p' | grep -v -e '/$' -e '^$' | sort >"$tmp/files.txt"
diff -u "$expected" "$tmp/files.txt" || fail "package files differ from $expected"
echo "check-package: $(basename "$deb") in order; Depends: $depends"
