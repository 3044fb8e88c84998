# The two commands of the project: `make run` and `make test`.
# Both install what is missing first, so they work on a fresh Debian 12.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs for in `make fuzz`.
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
SIMULATE   ?= Y800
# 1: the screenshot `make run` takes without a display shows live view.
LIVEVIEW   ?= 0
export LIVEVIEW
# Live view aids to switch on, e.g. AIDS=histogram,zebras,peaking.
AIDS       ?=
export AIDS
CMAKE_GEN   = cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

export ASAN_OPTIONS  ?= detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS  ?= suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1

.PHONY: all deps build build-asan run test test-plain test-asan bench fuzz package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	$(CMAKE_GEN) -S . -B $(BUILD)

$(ASAN_BUILD)/build.ninja:
	$(CMAKE_GEN) -S . -B $(ASAN_BUILD) -DVANTORA_SANITIZE=ON -DVANTORA_BUILD_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@scripts/run-vantora $(BUILD) $(SIMULATE)

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test: test-plain test-asan

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

# Every fuzz target for FUZZ_SECONDS on a copy of its seeds (clang build in
# $(FUZZ_BUILD)); fails when anything was found.
fuzz:
	@FUZZ_BUILD=$(FUZZ_BUILD) JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

# The Debian package, vantora_<version>_amd64.deb in $(BUILD)/package/. A
# package installs under /usr, so the build is configured for that prefix.
package: deps $(BUILD)/build.ninja
	cmake -DCMAKE_INSTALL_PREFIX=/usr $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/package/vantora_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
