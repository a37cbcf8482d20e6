# Set-up, build and test in one step each: `make run` and `make test`.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@tools/setup-deps.sh

configure: setup
	@test -f $(BUILD)/CMakeCache.txt || cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	$(BUILD)/bin/tallyfen

test: build
	ctest --preset $(PRESET) -j $(JOBS)

bench: build
	$(BUILD)/bin/tallyfen-bench-scoring

clean:
	rm -rf build
