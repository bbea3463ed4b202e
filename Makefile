# Quick start: `make demo` and `make test` set everything up on a fresh
# Debian 12 machine (packages, configure, build) and then run.

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo test bench clean

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

# Builds and runs every benchmark, then prints one table of ratios to
# their baselines with the targets (scripts/run-benchmarks.sh).
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target bench

clean:
	rm -rf $(BUILD)
