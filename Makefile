# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
# Looked up when a build is configured, after the setup has installed it.
CCACHE_FLAG = $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
# The whole test suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
SANITIZE   := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all setup setup-windows setup-fuzz setup-package configure build run test windows-check screenshots translations bench fuzz package format format-check clean

all: build

setup:
	@./scripts/setup-debian.sh
setup-windows:
	@./scripts/setup-debian.sh windows
setup-fuzz:
	@./scripts/setup-debian.sh fuzz
setup-package:
	@./scripts/setup-debian.sh package

$(BUILD)/build.ninja: CMakeLists.txt | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    $(CCACHE_FLAG)

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	    echo "Tarnwick needs a graphical display, and none is set (DISPLAY or WAYLAND_DISPLAY)."; \
	    echo "Start it from a desktop session, or try: xvfb-run -a $(BUILD)/tarnwick"; \
	    exit 1; \
	fi
	./$(BUILD)/tarnwick

$(ASAN_BUILD)/build.ninja: CMakeLists.txt | setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_BENCHMARKS=OFF \
	    -DTARNWICK_PACKAGING=OFF \
	    -DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" \
	    $(CCACHE_FLAG)

test: build $(ASAN_BUILD)/build.ninja
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --output-on-failure

# The Windows-only code, free of Qt, cross-built with mingw-w64 and its tests run under Wine.
WIN        := build-windows
MINGW_CXX  := x86_64-w64-mingw32-g++-posix
# Static runtime libraries: the programs need no DLLs beside them.
WIN_FLAGS  := -std=c++20 -O1 -Wall -Wextra -municode -static -Isrc
WIN_CORE   := src/platform/registrysettings.cpp src/platform/windowsprocess.cpp
WINE       := /usr/lib/wine/wine64
WINESERVER := /usr/lib/wine/wineserver
# A prefix of its own; no menu entries in $HOME, no Mono or Gecko installers.
WINE_ENV   := WINEPREFIX=$(CURDIR)/$(WIN)/wineprefix WINEDEBUG=-all \
              WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="

$(WIN)/windowstests.exe: tests/windows/windowstests.cpp tests/windows/utf8.h $(WIN_CORE) \
                         $(wildcard src/platform/*.h) | setup-windows
	@mkdir -p $(WIN)
	$(MINGW_CXX) $(WIN_FLAGS) -o $@ $(filter %.cpp,$^) -ladvapi32

$(WIN)/argsecho.exe: tests/windows/argsecho.cpp tests/windows/utf8.h | setup-windows
	@mkdir -p $(WIN)
	$(MINGW_CXX) $(WIN_FLAGS) -o $@ $<

# No Qt for mingw here: the Windows branches of the Qt code are only compiled, against this
# machine's Qt headers (whose dllimport notes do not apply), to catch type and syntax faults.
QT_INC      = $(shell pkg-config --variable=includedir Qt6Core 2>/dev/null)
# Every file with a Windows branch, and the Windows-only adapters that the build adds there.
WIN_QT     := $(sort $(shell grep -rlE 'Q_OS_WIN' src --include='*.cpp') \
                $(wildcard src/platform/registry*store.cpp))

$(WIN)/qt-code.checked: $(WIN_QT) $(wildcard src/*/*.h) | setup-windows
	@mkdir -p $(WIN)
	@test -n "$(QT_INC)" || { echo "pkg-config does not know Qt6Core"; exit 1; }
	@echo "Compiling the Windows branches of the Qt code (syntax only): $(WIN_QT)"
	@for f in $(WIN_QT); do \
	    $(MINGW_CXX) -std=c++20 -fsyntax-only -Wall -Wextra -Wno-attributes -Isrc -I$(QT_INC) \
	        -I$(QT_INC)/QtCore -I$(QT_INC)/QtGui -I$(QT_INC)/QtWidgets $$f || exit 1; \
	done
	@touch $@

$(WIN)/wineprefix/system.reg: | setup-windows
	@echo "Making the Wine prefix $(WIN)/wineprefix (first run only)"
	@mkdir -p $(WIN)
	@$(WINE_ENV) $(WINE) wineboot --init >$(WIN)/wineboot.log 2>&1 \
	    && $(WINE_ENV) $(WINESERVER) -w || { cat $(WIN)/wineboot.log; exit 1; }

windows-check: $(WIN)/qt-code.checked $(WIN)/windowstests.exe $(WIN)/argsecho.exe \
               $(WIN)/wineprefix/system.reg
	@$(WINE_ENV) $(WINE) $(WIN)/windowstests.exe; status=$$?; \
	    $(WINE_ENV) $(WINESERVER) -w; exit $$status

# The pictures in docs/, and the same in German as docs/de-*.png.
screenshots: build
	xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD)/tarnwick_screenshots docs
	QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2600x2200x24" \
	    ./$(BUILD)/tarnwick_screenshots docs scale2
	xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD)/tarnwick_screenshots docs de

# Brings translations/*.ts up to date with the texts in the code; new texts come in unfinished
# and the catalogue test fails until they are translated.
translations: configure
	cmake --build $(BUILD) --target update_translations

bench: build
	./$(BUILD)/bench/tarnwick_bench

# Fuzzes the RTF reader and the command-line rules for FUZZ_SECONDS each, in a clang build of
# its own. Inputs found go to $(FUZZ_BUILD)/corpus, a failing one to $(FUZZ_BUILD)/artifacts;
# committed seeds are never written.
fuzz: setup setup-fuzz
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang++: apt-get install clang libclang-rt-14-dev"; exit 1; }
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    $(CCACHE_FLAG)
	cmake --build $(FUZZ_BUILD) --target rtf_fuzzer args_fuzzer
	mkdir -p $(FUZZ_BUILD)/corpus/rtf $(FUZZ_BUILD)/corpus/args $(FUZZ_BUILD)/artifacts
	./$(FUZZ_BUILD)/fuzz/rtf_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=5 \
	    -dict=fuzz/rtf.dict -artifact_prefix=$(FUZZ_BUILD)/artifacts/ \
	    $(FUZZ_BUILD)/corpus/rtf fuzz/corpus/rtf
	./$(FUZZ_BUILD)/fuzz/args_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=5 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/ $(FUZZ_BUILD)/corpus/args fuzz/corpus/args

package: build setup-package
	cd $(BUILD) && cpack
	@ls $(BUILD)/*.deb

FORMATTED = $$(find src tests bench fuzz tools -name '*.cpp' -o -name '*.h')
format:
	clang-format -i $(FORMATTED)

# Fails on any file that `make format` would change.
format-check:
	@command -v clang-format >/dev/null || ./scripts/setup-debian.sh format
	clang-format --dry-run --Werror $(FORMATTED)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN)
