# Everything on a fresh Debian machine, as root:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build native and Windows targets, run every test
SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD := build
FUZZ_SECONDS ?= 15
LONG_FUZZ_SECONDS ?= 600
export WINEPREFIX ?= $(CURDIR)/$(BUILD)/wineprefix
export WINEDEBUG ?= -all
export WINEDLLOVERRIDES ?= mscoree=;mshtml=

.PHONY: all deps wine32 native native32 asan exe win32 win64 fuzz-build test test-native test-native32 \
        test-asan test-fuzz test-windows run fuzz soak bench dist clean

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
WINE32_LOADER := /usr/lib/wine/wine
wine32: deps
	@[ -x $(WINE32_LOADER) ] || { echo "installing: wine32:i386"; \
	  dpkg --add-architecture i386 && apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq wine32:i386 >/dev/null 2>&1; } \
	  || { echo "make test: wine32:i386 cannot be installed on this machine, so the 32-bit release exe cannot be tested"; exit 1; }

$(BUILD)/native/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(BUILD)/native32/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/native32 -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(BUILD)/native-asan/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/native-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
	  -DZAVRIK_SANITIZED=ON >/dev/null

$(BUILD)/fuzz/CMakeCache.txt: | deps
	CXX=clang++ CC=clang cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVRIK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null

$(BUILD)/win64/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

$(BUILD)/win32/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

native: $(BUILD)/native/CMakeCache.txt
	cmake --build $(BUILD)/native -j$(JOBS)

native32: $(BUILD)/native32/CMakeCache.txt
	cmake --build $(BUILD)/native32 -j$(JOBS)

asan: $(BUILD)/native-asan/CMakeCache.txt
	cmake --build $(BUILD)/native-asan -j$(JOBS)

fuzz-build: $(BUILD)/fuzz/CMakeCache.txt
	cmake --build $(BUILD)/fuzz -j$(JOBS) --target palette_text_fuzz settings_fuzz

win64: $(BUILD)/win64/CMakeCache.txt
	cmake --build $(BUILD)/win64 -j$(JOBS)

win32: $(BUILD)/win32/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j$(JOBS)

# The release program is the 32-bit one; the same source builds for x86_64.
exe: win32 win64

test-native: native
	cd $(BUILD)/native && ctest --output-on-failure -j$(JOBS)

test-native32: native32
	cd $(BUILD)/native32 && ctest --output-on-failure -j$(JOBS)

test-asan: asan
	cd $(BUILD)/native-asan && ctest --output-on-failure -j$(JOBS)

test-fuzz: fuzz-build
	@for t in palette_text_fuzz settings_fuzz; do \
	  mkdir -p $(BUILD)/fuzz/corpus-$$t && cp -n fuzz/corpus/$$t/* $(BUILD)/fuzz/corpus-$$t/ 2>/dev/null; \
	  echo "fuzzing $$t for $(FUZZ_SECONDS) s"; \
	  $(BUILD)/fuzz/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=0 $(BUILD)/fuzz/corpus-$$t 2>$(BUILD)/fuzz/$$t.log \
	    || { tail -40 $(BUILD)/fuzz/$$t.log; exit 1; }; \
	  grep -h 'Done' $(BUILD)/fuzz/$$t.log | tail -1; \
	done

test-windows: exe wine32
	tests/with-display.sh bash -c 'tests/check-wine32.sh $(BUILD)/win32/tests/win_tests.exe && \
	  (cd $(BUILD)/win32 && ctest --output-on-failure) && (cd $(BUILD)/win64 && ctest --output-on-failure)'

test: deps
	$(MAKE) test-native
	$(MAKE) test-native32
	$(MAKE) test-asan
	$(MAKE) test-fuzz
	$(MAKE) test-windows

# The download for Windows users: stripped exes (resources kept), a readme for
# people who use the program, the licence, and a SHA-256 list of the zips.
# strip writes the time of day into the PE header unless told a fixed one.
VERSION := $(shell sed -n '/^project.zavrik VERSION/s/[^0-9.]//gp' CMakeLists.txt)
DIST := $(BUILD)/dist
dist: $(BUILD)/win32/CMakeCache.txt $(BUILD)/win64/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j$(JOBS) --target zavrik
	cmake --build $(BUILD)/win64 -j$(JOBS) --target zavrik
	rm -rf $(DIST) && mkdir -p $(DIST)/stage/win32 $(DIST)/stage/win64
	SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip --strip-all -o $(DIST)/stage/win32/zavrik.exe $(BUILD)/win32/zavrik.exe
	SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip --strip-all -o $(DIST)/stage/win64/zavrik.exe $(BUILD)/win64/zavrik.exe
	python3 dist/make_dist.py $(VERSION) $(DIST) win32=$(DIST)/stage/win32/zavrik.exe win64=$(DIST)/stage/win64/zavrik.exe
	rm -rf $(DIST)/stage

fuzz: FUZZ_SECONDS = $(LONG_FUZZ_SECONDS)
fuzz: test-fuzz

soak: win64
	tests/with-display.sh python3 tests/e2e/soak.py $(BUILD)/win64/zavrik.exe --actions $${SOAK_ACTIONS:-5000}

bench: win64
	tests/with-display.sh tests/run-wine.sh $(BUILD)/win64/bench/paint_bench.exe

run: exe
	@if [ -n "$$DISPLAY" ]; then \
	  tests/ensure-wineprefix.sh && tests/run-wine.sh $(BUILD)/win64/zavrik.exe; \
	else \
	  tests/with-display.sh python3 tests/e2e/screenshot.py $(BUILD)/win64/zavrik.exe $(BUILD)/screenshot.png; \
	fi

clean:
	rm -rf $(BUILD)
