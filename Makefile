# Quick start: `make demo` and `make test` set everything up on a fresh
# Debian 12 machine (packages, configure, build) and then run.

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build demo test clean

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

clean:
	rm -rf $(BUILD)
