# Everything on a fresh Debian machine, as root:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build native and Windows targets, run every test
# Each target is a thin call of the CMake presets (CMakePresets.json), which an
# IDE or a plain `cmake --preset` / `ctest --preset` uses the same way.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
LONG_FUZZ_SECONDS ?= 600

.PHONY: all deps exe test run fuzz soak bench dist clean \
        native native-asan native32 fuzz-build win64 win32 \
        test-native test-native-asan test-native32 test-fuzz test-win64 test-win32

all: exe

# Packages come through tests/install.sh, only when a tool is missing, and
# ride out a mirror that is mid-sync.
deps:
	@tests/install.sh deps

# One rule per preset: configure (quick when nothing changed), then build.
native native-asan win64 win32: deps
	cmake --preset $@ --log-level=WARNING
	cmake --build --preset $@ -j$(JOBS)
# Where the kernel cannot run 32-bit programs, through qemu-i386-static.
native32: deps
	@emulator=""; tests/probe-i386.sh >/dev/null || emulator=$$(tests/install.sh qemu) || exit 1; \
	cmake --preset $@ --log-level=WARNING -DCMAKE_CROSSCOMPILING_EMULATOR=$$emulator
	cmake --build --preset $@ -j$(JOBS)
fuzz-build: deps
	cmake --preset fuzz --log-level=WARNING
	cmake --build --preset fuzz -j$(JOBS)

# The release program is the 32-bit one; the same source builds for x86_64.
exe: win32 win64

test-native test-native-asan test-native32: test-%: %
	ctest --preset $*
test-fuzz: fuzz-build
	ctest --preset fuzz
# The Windows tests start their own virtual display and wineserver (a CTest
# fixture); the end-to-end tests ask the native model tool for expected values.
test-win32: win32 native
	@tests/probe-i386.sh && tests/install.sh wine32
	ctest --preset win32
test-win64: win64 native
	ctest --preset win64

# Every suite this machine can run, side by side where they share nothing,
# and a closing table of what ran and why anything could not.
test: deps
	@python3 tests/make_test.py

fuzz: fuzz-build
	ZAVRIK_FUZZ_SECONDS=$(LONG_FUZZ_SECONDS) ctest --preset fuzz

soak: win64
	ZAVRIK_SOAK_ACTIONS=$${SOAK_ACTIONS:-5000} ZAVRIK_SOAK_SEED=$${SOAK_SEED:-$$(od -An -N3 -tu4 /dev/urandom | tr -d " ")} tests/with-display.sh /usr/bin/python3 -m pytest -p no:cacheprovider -s tests/e2e/test_soak_short.py --exe build/win64/zavrik.exe

bench: win64
	tests/with-display.sh tests/run-wine.sh build/win64/bench/paint_bench.exe

# Starts the release program where 32-bit Wine works, else the 64-bit one: on
# the user's display when there is one, otherwise on a virtual display,
# saving a screenshot.
run: deps
	@tests/run-program.sh

# The download for Windows users: stripped exes (resources kept), a readme for
# people who use the program, the licence, and a SHA-256 list of the zips.
# strip writes the time of day into the PE header unless told a fixed one.
VERSION := $(shell sed -n '/^project.zavrik VERSION/s/[^0-9.]//gp' CMakeLists.txt)
DIST := build/dist
dist: deps
	cmake --preset win32 --log-level=WARNING && cmake --build --preset win32 -j$(JOBS) --target zavrik
	cmake --preset win64 --log-level=WARNING && cmake --build --preset win64 -j$(JOBS) --target zavrik
	rm -rf $(DIST) && mkdir -p $(DIST)/stage/win32 $(DIST)/stage/win64
	SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip --strip-all -o $(DIST)/stage/win32/zavrik.exe build/win32/zavrik.exe
	SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip --strip-all -o $(DIST)/stage/win64/zavrik.exe build/win64/zavrik.exe
	python3 dist/make_dist.py $(VERSION) $(DIST) win32=$(DIST)/stage/win32/zavrik.exe win64=$(DIST)/stage/win64/zavrik.exe
	rm -rf $(DIST)/stage

clean:
	rm -rf build
