# Set-up, build and test in one step each: `make run` and `make test`.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all setup configure build run test bench assets package clean

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

# Redraws the grade pictures and the icon into assets/ (they are committed).
assets: configure
	cmake --build --preset $(PRESET) --target tallyfen-draw-assets
	$(BUILD)/bin/tallyfen-draw-assets assets

# The Debian package, in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf build
