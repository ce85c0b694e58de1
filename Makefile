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

# Benchmarks (Google Benchmark), their JSON, and the step-time plot of docs/performance.md.
bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DORBITON_BENCH=ON
	cmake --build build/bench -j $(JOBS) --target orbiton_bench
	./build/bench/bench/orbiton_bench --benchmark_out=build/bench/results.json --benchmark_out_format=json
	python3 scripts/plot-step-times.py build/bench/results.json docs/performance-step-time.svg

clean:
	rm -rf build
