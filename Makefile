# Everything on a fresh Debian machine, as root:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build native and Windows targets, run every test
# Each target is a thin call of the CMake presets (CMakePresets.json), which an
# IDE or a plain `cmake --preset` / `ctest --preset` uses the same way.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
LONG_FUZZ_SECONDS ?= 600

.PHONY: all deps wine32 exe test run fuzz soak bench dist clean \
        native native-asan native32 fuzz-build win64 win32 \
        test-native test-native-asan test-native32 test-fuzz test-win64 test-win32

all: exe

# tool:package pairs; a package is installed only when its tool is missing.
TOOLS := cmake:cmake g++:g++ clang++:clang \
	x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 i686-w64-mingw32-g++-posix:g++-mingw-w64-i686 \
	wine:wine /usr/lib/wine/wine64:wine64 Xvfb:xvfb xdotool:xdotool xclip:xclip xwd:x11-apps \
	python3:python3 /usr/src/googletest/CMakeLists.txt:googletest \
	/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf:fonts-symbola \
	/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-14-dev \
	/usr/lib/gcc/x86_64-linux-gnu/12/32/libstdc++.a:g++-multilib

deps:
	@missing=""; for pair in $(TOOLS); do tool=$${pair%%:*}; pkg=$${pair##*:}; \
	  if [ "$${tool#/}" != "$$tool" ]; then [ -e "$$tool" ] || missing="$$missing $$pkg"; \
	  else command -v "$$tool" >/dev/null 2>&1 || missing="$$missing $$pkg"; fi; done; \
	if [ -n "$$missing" ]; then echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	fi

# The 32-bit Windows release is tested under Debian's 32-bit Wine, which
# needs the i386 architecture; one clear line when it cannot be had.
wine32: deps
	@[ -x /usr/lib/wine/wine ] || { echo "installing: wine32:i386"; \
	  dpkg --add-architecture i386 && apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq wine32:i386 >/dev/null 2>&1; } \
	  || { echo "make test: wine32:i386 cannot be installed on this machine, so the 32-bit release exe cannot be tested"; exit 1; }

# One rule per preset: configure (quick when nothing changed), then build.
native native-asan native32 win64 win32: deps
	cmake --preset $@ --log-level=WARNING
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
test-win32: win32 wine32 native
	tests/check-wine32.sh build/win32/tests/win_tests.exe
	ctest --preset win32
test-win64: win64 native
	ctest --preset win64

test: deps
	$(MAKE) test-native
	$(MAKE) test-native32
	$(MAKE) test-native-asan
	$(MAKE) test-fuzz
	$(MAKE) test-win32
	$(MAKE) test-win64

fuzz: fuzz-build
	ZAVRIK_FUZZ_SECONDS=$(LONG_FUZZ_SECONDS) ctest --preset fuzz

soak: win32 wine32
	tests/with-display.sh python3 tests/e2e/soak.py build/win32/zavrik.exe --actions $${SOAK_ACTIONS:-5000}

bench: win64
	tests/with-display.sh tests/run-wine.sh build/win64/bench/paint_bench.exe

# Starts the release program: on the user's display when there is one,
# otherwise on a virtual display, saving a screenshot.
run: win32 wine32
	@if [ -n "$$DISPLAY" ]; then \
	  tests/ensure-wineprefix.sh && tests/run-wine.sh build/win32/zavrik.exe; \
	else \
	  tests/with-display.sh python3 tests/e2e/screenshot.py build/win32/zavrik.exe build/screenshot.png \
	    && echo "screenshot saved to build/screenshot.png"; \
	fi

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
