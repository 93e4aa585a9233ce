# make run   - install what is missing, build, start the desktop program on the sample file
# make test  - install what is missing, build, run the whole test suite (also under ASan+UBSan)
# make bench - build and run the benchmarks (see bench/README.md)
# make fuzz  - build the libFuzzer targets with clang and run each for FUZZ_SECONDS
# make install PREFIX=DIR - build and install the programs, their data, desktop entry and manual

BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
CTEST_FLAGS ?= --output-on-failure
PREFIX ?= /usr/local

.PHONY: deps build run install test test-release test-sanitize tsan bench fuzz clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/src/app/ravelin data/sample.pgn

# Package managers refresh the desktop's caches themselves; an install by hand does it here, so that
# file managers open PGN files with the program.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	if [ -d $(PREFIX)/share/mime/packages ] && command -v update-mime-database >/dev/null; then \
	  update-mime-database $(PREFIX)/share/mime; fi
	if [ -d $(PREFIX)/share/applications ] && command -v update-desktop-database >/dev/null; then \
	  update-desktop-database $(PREFIX)/share/applications; fi

test-release: build
	cd $(BUILD) && ctest $(CTEST_FLAGS)

# The core and its tests under AddressSanitizer and UndefinedBehaviorSanitizer (the Qt window is
# tested in the ordinary build).
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAVELIN_SANITIZE=ON \
	  -DRAVELIN_GUI=OFF -DRAVELIN_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest $(CTEST_FLAGS)

# The tests of the threaded parts under ThreadSanitizer: the background worker and the fast file
# made on several threads (gamefile, search), the directory search and the engine reader (engine,
# and the window's commands that drive them).
TSAN_TESTS ?= gamefile_test|search_test|engine_test|shell_test
tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELIN_TSAN=ON \
	  -DRAVELIN_GUI=OFF -DRAVELIN_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) --target gamefile_test search_test engine_test shell_test ravelin-engine
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ctest $(CTEST_FLAGS) -R '^($(TSAN_TESTS))$$'

test: test-release test-sanitize

bench: build
	scripts/install-deps --bench
	bench/run-benchmarks

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELIN_FUZZ=ON \
	  -DRAVELIN_TESTS=OFF -DRAVELIN_GUI=OFF -DRAVELIN_BENCH=OFF
	cmake --build $(FUZZ_BUILD)
	fuzz/run-fuzzers $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
