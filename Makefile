# The two set-up commands: `make run` and `make test`. Plain `make` builds into build/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run serve test clean package fuzz test-asan format check-format mutants

all: build

deps:
	./scripts/install-deps

# CMAKE_ARGS (e.g. -DAIRMOTOR_WERROR=ON) reach the configure step, also of an existing build folder.
# PRESET=ci is CI's: the same build, compiled in batches and without debug information (about half
# the time on two cores).
CMAKE_ARGS ?=
PRESET ?= dev
configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then cmake --preset $(PRESET) -B $(BUILD_DIR) $(CMAKE_ARGS); \
	elif [ -n "$(CMAKE_ARGS)" ]; then cmake -B $(BUILD_DIR) $(CMAKE_ARGS); fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/airmotor ]; then $(BUILD_DIR)/bin/airmotor; \
	else $(BUILD_DIR)/bin/airmotor-cli --folder $(BUILD_DIR)/bin catalogue; fi

# The web selector on the bundled catalogue: http://127.0.0.1:8080/ (LISTEN=HOST:PORT to change).
LISTEN ?= 127.0.0.1:8080
serve: build
	$(BUILD_DIR)/bin/airmotor-server --folder $(BUILD_DIR)/bin --listen $(LISTEN)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package build/airmotor_<version>_<arch>.deb (CPack; dependencies from dpkg-shlibdeps).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# libFuzzer harnesses built with clang in build-fuzz, each run for FUZZ_SECONDS (default 60).
FUZZ_SECONDS ?= 60
fuzz: build
	FUZZ_SECONDS=$(FUZZ_SECONDS) DEV_BIN_DIR=$(BUILD_DIR)/bin JOBS=$(JOBS) ./fuzz/run-fuzzers.sh

# The suite under AddressSanitizer and UndefinedBehaviorSanitizer (asan preset, build-asan/); a
# sanitizer report fails its test. Left out: the install and package tests, which only copy what the
# plain suite has already checked, and the recorded answers under a decimal-comma locale, the same
# 530 sanitized program runs again (four minutes) for a property the plain suite checks. Options and
# filter are the asan test preset's, so `ctest --preset asan` from the source folder runs the same.
# The asan presets link their programs without position independence (-no-pie): a sanitized program
# otherwise carries close to a million load-time relocations, a quarter of each start, and the suite
# starts sanitized programs more than a thousand times. ASAN_PRESET=asan-ci is CI's (batched, line
# tables only, each test program run once rather than once per case).
ASAN_BUILD_DIR ?= build-asan
ASAN_PRESET ?= asan
test-asan: deps
	@if [ ! -f $(ASAN_BUILD_DIR)/CMakeCache.txt ]; then cmake --preset $(ASAN_PRESET) -B $(ASAN_BUILD_DIR); fi
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -LE install -E '^cli_recorded_outputs_comma_locale$$' -j $(JOBS)

# Every tracked C++ source rewritten by clang-format (.clang-format); check-format only reports.
format:
	git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format -i

check-format:
	./scripts/check-format

# A random sample of one-line mutations over the core lines changed since BASE, each judged by the
# core tests and the recorded CLI answers: a survivor is a missing test or an equivalent mutant.
# The tool runs its test command without a shell, so the two steps go through `sh -c`.
# Takes minutes, so it is not part of `make test`. Example: make mutants BASE=origin/main COUNT=30
BASE ?= HEAD~1
COUNT ?= 20
SEED ?= 1
MUTANTS_TOOL ?= ../shared/tools/mutants.py
mutants: build
	@if [ ! -f "$(MUTANTS_TOOL)" ]; then echo "mutants: $(MUTANTS_TOOL) is missing (MUTANTS_TOOL=PATH)" >&2; exit 2; fi
	python3 $(MUTANTS_TOOL) --base $(BASE) --files src/core --count $(COUNT) --seed $(SEED) \
	  --build-dir $(BUILD_DIR) --target core_tests,airmotor-cli,bundled_data \
	  --test "sh -c '$(BUILD_DIR)/bin/core_tests --gtest_brief=1 && python3 tests/cli/recorded_outputs.py \
	  --cli $(BUILD_DIR)/bin/airmotor-cli --folder $(BUILD_DIR)/bin'"

clean:
	rm -rf $(BUILD_DIR)
