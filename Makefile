# SPDX-License-Identifier: GPL-3.0-or-later
# A thin wrapper over CMake: `make run` and `make test` do everything on a fresh
# Debian 12 machine, installing what is missing first.

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

BUILD_PACKAGES := cmake make g++ qt6-base-dev libgl-dev librsvg2-bin libqt6svg6 fonts-dejavu-core \
	fonts-dejavu-extra dpkg-dev qt6-speech-dev qt6-declarative-dev \
	qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng
PACKAGE_PACKAGES := file
MUTANTS_PACKAGES := ninja-build
BENCH_PACKAGES := libbenchmark-dev qt6-httpserver-dev qt6-websockets-dev
TEST_PACKAGES := xvfb xauth xdotool xclip imagemagick x11-utils dbus-daemon libglib2.0-bin at-spi2-core python3 python3-pyatspi \
	desktop-file-utils appstream lintian man-db groff-base weston qt6-wayland wl-clipboard \
	qt6-httpserver-dev qt6-websockets-dev curl tzdata \
	$(PACKAGE_PACKAGES)

.PHONY: all run test build deps test-deps package screenshot clean bench bench-deps sanitize fuzz \
	mutants

all: build

deps:
	@tools/ensure-packages.sh $(BUILD_PACKAGES)

test-deps: deps
	@tools/ensure-packages.sh $(TEST_PACKAGES)

# Built with the compiler and linker flags of a Debian package build, all hardening
# included, so that `make package` makes the package Debian would ship. CMake takes
# CXXFLAGS and LDFLAGS from the environment; the preprocessor's flags go with CXXFLAGS.
DEBIAN_FLAGS = eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"; \
	CXXFLAGS="$$CXXFLAGS $$CPPFLAGS"

$(BUILD_DIR)/CMakeCache.txt:
	$(DEBIAN_FLAGS) cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=ON

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

package: build
	@tools/ensure-packages.sh $(PACKAGE_PACKAGES)
	cmake --build $(BUILD_DIR) --target package

run: build
	$(BUILD_DIR)/app/velaro

# Configured again: a build folder made by `make run` was configured before the test
# packages were there.
test: test-deps $(BUILD_DIR)/CMakeCache.txt
	cmake -S . -B $(BUILD_DIR) >/dev/null
	cmake --build $(BUILD_DIR) --parallel $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure --label-exclude flightgear

# Small faults planted one at a time in the C++ lines changed since BASE (by default where
# the branch left main), each rebuilt and tested in build-mutants; docs/testing.md says when
# to run it and how to read its table. Not part of `make test`: it takes half an hour.
mutants: test-deps
	@tools/ensure-packages.sh $(MUTANTS_PACKAGES)
	$(DEBIAN_FLAGS) tools/mutants.py --jobs $(JOBS) $(if $(BASE),--base $(BASE)) $(if $(MUTANTS),--max $(MUTANTS)) \
	    $(if $(SURVIVORS),--survivors $(SURVIVORS))

# Refreshes the pictures of the README and docs/ from the real window with a worked example filled in,
# alone and linked to the stand-in FlightGear.
screenshot: test-deps build
	tests/e2e/screenshot.sh $(BUILD_DIR)/app/velaro $(BUILD_DIR)/tests/e2e/layout.txt docs/screenshot.png
	tests/e2e/screenshot.sh $(BUILD_DIR)/app/velaro $(BUILD_DIR)/tests/e2e/layout.txt \
	    docs/screenshot-flightgear.png $(BUILD_DIR)/tests/sim/standin-flightgear

# The unit, widget and soak tests again under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer; the tests that start the packaged program stay with `make test`.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined

sanitize: test-deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_DIR) --parallel $(JOBS)
	UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(SANITIZE_DIR) --output-on-failure -LE 'install|e2e|flightgear'

# The composers, then the reader of FlightGear's replies, under libFuzzer for FUZZ_SECONDS
# each (CI's 30 s make one minute). Inputs they find collect in $(FUZZ_DIR)/corpus and
# $(FUZZ_DIR)/corpus-flightgear, beside the seeds in fuzz/corpus and fuzz/corpus-flightgear;
# a failing one is saved in $(FUZZ_DIR).
# Qt has no frame pointers, so every allocation stack through it comes out new and
# AddressSanitizer would keep them all, growing by the minute: it records none here.
# For them, rerun a saved input with ASAN_OPTIONS=fast_unwind_on_malloc=0.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_RUN = ASAN_OPTIONS=malloc_context_size=0 $(FUZZ_DIR)/fuzz/$(1) -max_total_time=$(FUZZ_SECONDS) \
	-artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/$(2) fuzz/$(2)

fuzz: deps
	@tools/ensure-packages.sh $(FUZZ_PACKAGES)
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELARO_BUILD_FUZZERS=ON
	cmake --build $(FUZZ_DIR) --parallel $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/corpus-flightgear
	$(call FUZZ_RUN,FuzzCompose,corpus)
	$(call FUZZ_RUN,FuzzFlightGearReplies,corpus-flightgear)

# Timings, not tests: a build with only the benchmark programs added, one table printed.
bench-deps: deps
	@tools/ensure-packages.sh $(BENCH_PACKAGES)

$(BENCH_DIR)/CMakeCache.txt:
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVELARO_BUILD_BENCHMARKS=ON

bench: bench-deps $(BENCH_DIR)/CMakeCache.txt
	cmake --build $(BENCH_DIR) --parallel $(JOBS) --target velaro-bench
	$(BENCH_DIR)/bench/velaro-bench

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) build-mutants
