# Quick start: `make demo` and `make test` set everything up on a fresh
# Debian 12 machine (packages, configure, build) and then run.

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo test bench package sanitize-build test-sanitize fuzz-smoke clean

all: build

deps:
	@scripts/ensure-packages.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	scripts/demo.sh $(BUILD)

test: build
	scripts/run-tests.sh $(BUILD)

# The Debian package $(BUILD)/telequill_<version>_<arch>.deb (CPack).
package: build
	cd $(BUILD) && cpack -G DEB

# Builds and runs every benchmark, then prints one table of ratios to
# their baselines with the targets (scripts/run-benchmarks.sh).
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target bench

# The sanitizer build: clang with the address and undefined-behaviour
# sanitizers on every library, program and test, and the fuzz targets as
# libFuzzer programs (TELEQUILL_FUZZ). Leaks are reported except those inside
# fontconfig and D-Bus (scripts/lsan-suppressions.txt).
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 20
export LSAN_OPTIONS ?= suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS ?= check_initialization_order=1:detect_leaks=1

sanitize-build: deps
	@if [ ! -f $(SANITIZE_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DTELEQUILL_FUZZ=ON -DTELEQUILL_BENCHMARKS=OFF $(CMAKE_FLAGS); \
	fi
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

# Every test under the sanitizers.
test-sanitize: sanitize-build
	scripts/run-tests.sh $(SANITIZE_BUILD)

# Every fuzz target fuzzes a copy of its corpus for FUZZ_SECONDS.
fuzz-smoke: sanitize-build
	scripts/run-fuzz.sh $(SANITIZE_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
