# The two commands of the README:
#   make run   builds the players and starts one on the bundled demo story (STORY=... for
#              another): the desktop window winrux where a display is available
#              (DISPLAY or WAYLAND_DISPLAY set), else the terminal player rux
#   make test  builds with warnings as errors and sanitizers, runs every test
#   make fuzz  builds the fuzz targets with Clang and runs each for
#              FUZZ_SECONDS (make test runs each for TEST_FUZZ_SECONDS)
#   make test-clang  builds and runs the tests with Clang (not part of make test)
# Both install missing Debian packages first (as root).

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test test-clang bench fuzz fuzz-build deps clean

deps:
	@scripts/ensure-deps.sh

build/release/build.ninja: | deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUX_TESTS=OFF

# The story `make run` plays; STORY=path/to/file.vux plays another.
STORY ?= build/release/stories/demo.vux

run: deps build/release/build.ninja
	cmake --build build/release -j $(JOBS)
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x build/release/ui/winrux ]; then \
		build/release/ui/winrux $(STORY); \
	else \
		build/release/term/rux $(STORY); \
	fi

build/test/build.ninja: | deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRUX_WERROR=ON -DRUX_SANITIZE=ON

# After the tests, each fuzz target runs briefly so that a regression in
# the handling of untrusted input shows; a finding fails the command.
TEST_FUZZ_SECONDS ?= 20

test: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS)
	cd build/test && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-build
	scripts/run-fuzzers.sh build/fuzz $(TEST_FUZZ_SECONDS)

build/clang/build.ninja: | deps
	cmake -S . -B build/clang -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DRUX_WERROR=ON -DRUX_SANITIZE=ON -DRUX_UI=OFF

test-clang: deps build/clang/build.ninja
	cmake --build build/clang -j $(JOBS)
	cd build/clang && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

build/bench/build.ninja: | deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUX_TESTS=OFF -DRUX_BENCH=ON

bench: deps build/bench/build.ninja
	cmake --build build/bench -j $(JOBS)
	build/bench/bench/rux_bench

FUZZ_SECONDS ?= 600

build/fuzz/build.ninja: | deps
	cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DRUX_FUZZ=ON -DRUX_TESTS=OFF -DRUX_UI=OFF

# Only the fuzz targets and what they link.
fuzz-build: deps build/fuzz/build.ninja
	cmake --build build/fuzz -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
