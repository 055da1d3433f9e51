# The two set-up commands: `make run` and `make test`. Plain `make` builds into build/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean package fuzz test-asan format check-format

all: build

deps:
	./scripts/install-deps

# CMAKE_ARGS (e.g. -DAIRMOTOR_WERROR=ON) reach the configure step, also of an existing build folder.
CMAKE_ARGS ?=
configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then cmake --preset dev -B $(BUILD_DIR) $(CMAKE_ARGS); \
	elif [ -n "$(CMAKE_ARGS)" ]; then cmake -B $(BUILD_DIR) $(CMAKE_ARGS); fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/airmotor ]; then $(BUILD_DIR)/bin/airmotor; \
	else $(BUILD_DIR)/bin/airmotor-cli --folder $(BUILD_DIR)/bin catalogue; fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package build/airmotor_<version>_<arch>.deb (CPack; dependencies from dpkg-shlibdeps).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# libFuzzer harnesses built with clang in build-fuzz, each run for FUZZ_SECONDS (default 60).
FUZZ_SECONDS ?= 60
fuzz: build
	FUZZ_SECONDS=$(FUZZ_SECONDS) DEV_BIN_DIR=$(BUILD_DIR)/bin JOBS=$(JOBS) ./fuzz/run-fuzzers.sh

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (asan preset, build-asan/).
ASAN_BUILD_DIR ?= build-asan
test-asan: deps
	@if [ ! -f $(ASAN_BUILD_DIR)/CMakeCache.txt ]; then cmake --preset asan -B $(ASAN_BUILD_DIR); fi
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Every tracked C++ source rewritten by clang-format (.clang-format); check-format only reports.
format:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format -i

check-format:
	./scripts/check-format

clean:
	rm -rf $(BUILD_DIR)
