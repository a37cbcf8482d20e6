# Set-up, build and test in one step each: `make run` and `make test`.
PRESET ?= default
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all setup configure build run test test-sanitize bench bench-startup assets package \
	windows windows-configure test-windows web web-configure serve-web test-web bench-web release \
	test-reproducible test-reproducible-qt clean

all: build

setup:
	@tools/setup-deps.sh

configure: setup
	@test -f $(BUILD)/CMakeCache.txt || cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	$(BUILD)/bin/tallyfen

# The whole suite, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), which also runs each fuzzer for a bounded time.
# The assets check needs the drawing tool, which a plain build leaves out.
test: build
	cmake --build --preset $(PRESET) -j $(JOBS) --target tallyfen-draw-assets
	ctest --preset $(PRESET) -j $(JOBS)
	@$(MAKE) --no-print-directory test-sanitize

test-sanitize: setup
	@test -f build/sanitize/CMakeCache.txt || cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS) --target all tallyfen-draw-assets
	ctest --preset sanitize -j $(JOBS)

bench: build
	cmake --build --preset $(PRESET) -j $(JOBS) --target tallyfen-bench-scoring tallyfen-bench-window
	$(BUILD)/bin/tallyfen-bench-scoring
	$(BUILD)/bin/tallyfen-bench-window

# Start-up to the first painted frame and peak memory, against a bare Qt window, under Xvfb.
bench-startup: build
	cmake --build --preset $(PRESET) -j $(JOBS) --target tallyfen-baseline-window tallyfen-firstframe
	xvfb-run -a -s '-screen 0 1280x1024x24' bench/startup/measure.py $(BUILD) --runs 20

# Redraws the grade pictures and the icon into assets/ (they are committed).
assets: configure
	cmake --build --preset $(PRESET) --target tallyfen-draw-assets
	$(BUILD)/bin/tallyfen-draw-assets assets

# The Debian package, in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

# Windows: tallyfen.exe and its zip in build/windows, cross-built with MinGW-w64 against a static
# Qt that tools/build-qt.sh builds once from Debian's source (10 to 25 minutes on two cores) and
# keeps in ~/.cache/tallyfen. The tests run under Wine.
windows-configure:
	@tools/setup-deps.sh tools/debian-packages.txt tools/windows/debian-packages.txt
	@qt=$$(tools/build-qt.sh) && TALLYFEN_WINDOWS_QT=$$qt cmake --preset windows >/dev/null

windows: windows-configure
	cmake --build --preset windows -j $(JOBS) --target tallyfen tallyfen-windows-zip
	@echo "Built build/windows/tallyfen-$$(sed -n 's/^set(TALLYFEN_DISPLAY_VERSION \(.*\))/\1/p' CMakeLists.txt)-windows-x64.zip"

# One virtual X server for the whole run, rather than one per test under Wine.
test-windows: windows-configure
	cmake --build --preset windows -j $(JOBS) --target all tallyfen-draw-assets
	xvfb-run -a -s '-screen 0 1024x768x24' ctest --preset windows -j $(JOBS)

# The web: a static site in build/web/site, the page written from the window's form over the
# scoring core compiled with Debian's Emscripten. The scoring suites run under node; the site
# check opens the site in Chromium, WebKit and Firefox.
web-configure:
	@tools/setup-deps.sh tools/debian-packages.txt tools/web/debian-packages.txt
	@tools/setup-npm.sh
	@test -f build/web/CMakeCache.txt || cmake --preset web >/dev/null

web: web-configure
	cmake --build --preset web -j $(JOBS) --target tallyfen-web-site
	@echo "Built build/web/site: serve it with make serve-web"

serve-web: web
	/usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build/web/site 8000

test-web: web-configure
	cmake --build --preset web -j $(JOBS) --target all
	ctest --preset web -j $(JOBS)

# The site's size, its first painted window against a one-label page, a slow phone on a slow
# network, and Lighthouse (BENCHMARKS.md).
bench-web: web
	node bench/web/bench.mjs build/web/site

# A release in dist/: the .deb, the Windows and web zips and SHA256SUMS, from the last commit.
release:
	@tools/release.sh

# Two builds of the last commit, from clones that differ in path and file times, give the same
# program.
test-reproducible: setup
	@tools/check-reproducible.sh

# The Windows Qt built afresh into another cache folder, compared library by library with the
# cached one (about 15 minutes on two cores; CI does not run it).
test-reproducible-qt:
	@tools/setup-deps.sh tools/debian-packages.txt tools/windows/debian-packages.txt
	@tools/check-reproducible-qt.sh

clean:
	rm -rf build
