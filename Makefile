# The two set-up commands: `make run` and `make test`. Plain `make` builds into build/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean

all: build

deps:
	./scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then cmake --preset dev -B $(BUILD_DIR); fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/airmotor ]; then $(BUILD_DIR)/bin/airmotor; \
	else $(BUILD_DIR)/bin/airmotor-cli --folder $(BUILD_DIR)/bin catalogue; fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
