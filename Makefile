# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over CMake; see README.md.
# The builds are CMake presets (CMakePresets.json): release in build/release,
# debug (ASan + UBSan) in build/debug, clang (release by clang++) in build/clang,
# bench in build/bench.
BUILD_DIR := build/release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps deps-test configure build test test-sanitize test-clang test-cpus package windows test-windows run bench fuzz soak clean

all: build

# What building and playing need; the tests need more, and only they install it.
deps:
	./scripts/install-deps.sh build

deps-test:
	./scripts/install-deps.sh test

# Configures once; after that the build itself re-runs CMake when a CMake file changes.
configure: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake --preset release

build: configure
	cmake --build --preset release

test: deps-test build
	./scripts/run-tests.sh $(BUILD_DIR)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer,
# leak detection on.
test-sanitize: deps-test
	@[ -f build/debug/CMakeCache.txt ] || cmake --preset debug
	cmake --build --preset debug
	./scripts/run-tests.sh build/debug

# The exactness tests (the game against the reference, the pinned runs) built
# with clang++ at -O3: the rules hold whichever compiler builds the game.
test-clang: deps-test
	@[ -f build/clang/CMakeCache.txt ] || cmake --preset clang
	cmake --build --preset clang
	cd build/clang && ctest --output-on-failure -L exactness -j "$(JOBS)"

# The exactness tests and the pinned flights on other CPUs Debian builds for:
# i386 (run here), arm64 and s390x (big-endian) under qemu-user, each built by
# Debian's cross compiler in build/cpus/ARCH. CPUS="arm64" picks some.
CPUS ?= i386 arm64 s390x
test-cpus:
	./scripts/install-deps.sh cpus
	./scripts/test-cpus.sh $(CPUS)

# The Debian package in build/package: the game alone, built with Debian's
# hardening flags, its binary in /usr/games. Prints the .deb's path.
package:
	./scripts/install-deps.sh package
	./scripts/make-package.sh

# The Windows build, cross-compiled with MinGW-w64 (installed only when asked
# for): build/windows/orbiton3d-VERSION-win64.zip, and its installer
# orbiton3d-VERSION-win64-setup.exe.
windows:
	./scripts/install-deps.sh windows
	@[ -f build/windows/CMakeCache.txt ] || cmake --preset windows
	cmake --build --preset windows
	@ls build/windows/orbiton3d-*-win64.zip build/windows/orbiton3d-*-win64-setup.exe

# The Windows build's test suites and the game, under Wine on Xvfb; the
# pinned flights must be those of the Linux build, byte for byte.
test-windows:
	./scripts/test-windows.sh

# Only the game: the test suites are not built to play.
run: configure
	cmake --build --preset release --target orbiton3d
	./scripts/play.sh $(BUILD_DIR)

# Benchmarks (Google Benchmark), their JSON, the step-time plot of docs/performance.md
# and the table of frame times against the arena-only and the empty frame.
bench: deps-test
	@[ -f build/bench/CMakeCache.txt ] || cmake --preset bench
	cmake --build --preset bench
	./build/bench/bench/orbiton_bench --benchmark_out=build/bench/results.json --benchmark_out_format=json
	python3 scripts/plot-step-times.py build/bench/results.json docs/performance-step-time.svg
	python3 scripts/frame-ratios.py build/bench/results.json | tee build/bench/frame-ratios.md

# A long soak: the attract mode through every level, round and round, every
# frame checked; prints the figures and the resident memory at both ends.
SOAK_FRAMES ?= 1000000
soak: build
	./build/release/orbiton3d --headless --soak --frames $(SOAK_FRAMES) --size 32x24 --levels levels

# The level loader and the replay reader under libFuzzer (clang, ASan, UBSan)
# for FUZZ_SECONDS each; the corpora grow in build/fuzz/corpus and
# build/fuzz/replay-corpus, findings land in build/fuzz/findings.
FUZZ_SECONDS ?= 60
fuzz: deps-test
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITON_FUZZ=ON -DORBITON_TESTS=OFF
	cmake --build build/fuzz -j $(JOBS) --target level_fuzzer replay_fuzzer
	mkdir -p build/fuzz/corpus build/fuzz/replay-corpus build/fuzz/findings
	./build/fuzz/fuzz/level_fuzzer build/fuzz/corpus fuzz/seeds -max_total_time=$(FUZZ_SECONDS) \
	  -timeout=10 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
	  -artifact_prefix=build/fuzz/findings/
	./build/fuzz/fuzz/replay_fuzzer build/fuzz/replay-corpus fuzz/replay-seeds \
	  -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
	  -print_final_stats=1 -artifact_prefix=build/fuzz/findings/replay-

clean:
	rm -rf build
