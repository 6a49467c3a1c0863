# A thin wrapper over CMake: `make run` and `make test` do everything on a fresh
# Debian 12 machine, installing what is missing first.

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ qt6-base-dev libgl-dev libqt6svg6 fonts-dejavu-core fonts-dejavu-extra
PACKAGE_PACKAGES := dpkg-dev file
BENCH_PACKAGES := libbenchmark-dev
TEST_PACKAGES := xvfb xauth xdotool xclip imagemagick x11-utils desktop-file-utils appstream $(PACKAGE_PACKAGES)

.PHONY: all run test build deps test-deps package screenshot clean bench bench-deps

all: build

deps:
	@tools/ensure-packages.sh $(BUILD_PACKAGES)

test-deps: deps
	@tools/ensure-packages.sh $(TEST_PACKAGES)

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

package: build
	@tools/ensure-packages.sh $(PACKAGE_PACKAGES)
	cmake --build $(BUILD_DIR) --target package

run: build
	$(BUILD_DIR)/app/velaro

test: test-deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure

# Refreshes the README's picture from the real window with a worked example filled in.
screenshot: test-deps build
	tests/e2e/screenshot.sh $(BUILD_DIR)/app/velaro docs/screenshot.png

# Timings, not tests: a build with only the benchmark programs added, one table printed.
bench-deps: deps
	@tools/ensure-packages.sh $(BENCH_PACKAGES)

$(BENCH_DIR)/CMakeCache.txt:
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELARO_BUILD_BENCHMARKS=ON

bench: bench-deps $(BENCH_DIR)/CMakeCache.txt
	cmake --build $(BENCH_DIR) --parallel $(JOBS) --target velaro-bench
	$(BENCH_DIR)/bench/velaro-bench

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)
