# The README's commands. `make run` and `make install` install only what
# building and playing need; `make test` and `make package` add what the
# tests and the package build need.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= $(HOME)/.local
FUZZ_RUNS ?= -1

.PHONY: all deps deps-test build build-tests run test bench install uninstall package sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh play

deps-test:
	@bash scripts/install-deps.sh test

# A first configure builds the game only; `make test` switches the tests on.
$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DFIFTEEN_TESTS=OFF $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

build-tests: deps-test
	cmake -S . -B $(BUILD) -DFIFTEEN_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/game && ./fifteen

test: build-tests
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/fifteen-bench

# For the current user, no root needed: PREFIX=/usr/local (as root) for all.
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# Removes exactly what the last install wrote; a player's table is never in
# that list.
uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P cmake/uninstall.cmake

package: build-tests
	cmake --build $(BUILD) --target portable
	cd $(BUILD) && cpack

# The logic, platform and window tests built with AddressSanitizer and UBSan.
sanitize: deps-test
	cmake -S . -B $(BUILD)-sanitize -DFIFTEEN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS) -LE "end-to-end|fuzz|faults"

# The table reader and name check under libFuzzer, for as long as one likes
# (FUZZ_RUNS=-1) or a set number of inputs.
fuzz: build-tests
	$(BUILD)/tests/table_fuzz -runs=$(FUZZ_RUNS) $(BUILD)/tests/fuzz-corpus tests/fuzz/seeds

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize
