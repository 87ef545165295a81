# Two commands do everything on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CCACHE     := $(shell command -v ccache 2>/dev/null)

.PHONY: all setup configure build run test screenshots bench format clean

all: build

setup:
	@./scripts/setup-debian.sh

$(BUILD)/build.ninja: CMakeLists.txt | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

screenshots: build
	xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD)/tarnwick_screenshots docs

bench: build
	./$(BUILD)/bench/tarnwick_bench

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
