# Thin wrapper over CMake; see README.md.
BUILD_DIR ?= build/release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test run bench check-levels clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	./scripts/run-tests.sh $(BUILD_DIR)

run: build
	./scripts/play.sh $(BUILD_DIR)

bench: deps
	@echo "make bench: the benchmarks are not written yet" >&2; exit 1

clean:
	rm -rf build
