# Thin wrapper over CMake. `make run` and `make test` install what is missing.
BUILD_DIR ?= build
WEB_BUILD_DIR ?= build-web
MAKEFLAGS += --no-print-directory
JOBS ?= 2

.PHONY: all deps configure build run explore test load-test desktop-test clones-test web web-run web-test screenshot docs integrators lint sanitize memcheck bench clean

all: build

deps:
	@scripts/install-deps.sh

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Configures the build without compiling anything.
configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null

# On a display, runs the program; with none, animates it on a virtual display
# and saves build/spinning-box.png. Builds the program alone, not the tests.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target spinning-box
	@scripts/run.sh $(BUILD_DIR)

# The explorer on the flip of a 1 x 2 x 3 box; with no display, a picture of
# it in build/spinning-box-explorer.png.
explore: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target spinning-box-explorer
	@scripts/run.sh $(BUILD_DIR) explorer

# Every test that needs a display starts a private one of its own.
test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The suite (the soak aside) ten times in a row with both cores kept busy.
load-test: build
	@tests/load_test.sh $(BUILD_DIR) $(or $(RUNS),10)

# `make test` with DISPLAY pointing at a desktop under a window manager, with
# a focused window that records every key and button: nothing may reach it.
desktop-test: build
	@tests/desktop_test.sh

# Two `make test` runs at the same time, in two fresh clones.
clones-test: deps
	@tests/clones_test.sh

# The same program as a web page: WebAssembly built with Emscripten.
web:
	@scripts/install-deps.sh emscripten chromium
	@scripts/web-build.sh $(WEB_BUILD_DIR)

# Serves the web page on 127.0.0.1 and prints its address.
web-run: web
	@node web/serve.mjs $(WEB_BUILD_DIR) 8080

# The web page in headless Chromium with real input, against the desktop's pictures.
web-test: web build
	@scripts/web-test.sh $(BUILD_DIR) $(WEB_BUILD_DIR)

# Refreshes the screenshot shown in the README.
screenshot: build
	@scripts/with-display.sh scripts/screenshot.sh $(BUILD_DIR)/spinning-box docs/screenshot.png

# clang-tidy and clang-format on the project's own code.
lint: build
	@scripts/lint.sh $(BUILD_DIR)

# The test suite once more on a build with AddressSanitizer and UBSan.
sanitize: deps
	@scripts/sanitize.sh $(BUILD_DIR)-sanitize

# The real program under valgrind's memcheck for about 200 frames.
memcheck: deps
	@cmake -S . -B $(BUILD_DIR)-debug -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD_DIR)-debug -j $(JOBS) --target spinning-box
	@scripts/with-display.sh scripts/memcheck.sh $(BUILD_DIR)-debug/spinning-box .

# Ratios against baselines measured in the same run: the model step against
# Boost.Odeint, the frame loop against the least GLUT program.
bench: build web
	@scripts/install-deps.sh libboost-dev libbenchmark-dev
	@cmake -S . -B $(BUILD_DIR) -DBUILD_BENCHMARKS=ON >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@WEB_BUILD_DIR=$(WEB_BUILD_DIR) bench/run.sh $(BUILD_DIR)

# Refreshes the README's figures and its animated picture of the window.
docs: build web
	@scripts/install-deps.sh gnuplot-nox
	@WEB_BUILD_DIR=$(WEB_BUILD_DIR) scripts/with-display.sh scripts/make-docs.sh $(BUILD_DIR)

# The integrator lab's report: docs/integrators.md and its figure.
integrators: build
	@scripts/install-deps.sh gnuplot-nox
	@scripts/integrators-report.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(WEB_BUILD_DIR)
