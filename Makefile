# The two commands of the README:
#   make run   builds the players and starts one on the bundled demo story (STORY=... for
#              another): the desktop window winrux where a display is available
#              (DISPLAY or WAYLAND_DISPLAY set), else the terminal player rux
#   make test  builds with warnings as errors and sanitizers, runs every test
#   make fuzz  builds the fuzz targets with Clang and runs each for
#              FUZZ_SECONDS (not part of make test)
# Both install missing Debian packages first (as root).

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench fuzz deps fuzz-deps clean

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

test: deps build/test/build.ninja
	cmake --build build/test -j $(JOBS)
	cd build/test && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

build/bench/build.ninja: | deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DRUX_TESTS=OFF -DRUX_BENCH=ON

bench: deps build/bench/build.ninja
	cmake --build build/bench -j $(JOBS)
	build/bench/bench/rux_bench

FUZZ_SECONDS ?= 600

fuzz-deps:
	@scripts/ensure-deps.sh clang

build/fuzz/build.ninja: | fuzz-deps
	cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DRUX_FUZZ=ON -DRUX_TESTS=OFF -DRUX_UI=OFF

fuzz: fuzz-deps build/fuzz/build.ninja
	cmake --build build/fuzz -j $(JOBS)
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
