# The two commands of the README: `make demo` and `make test`. `make dist` stages
# the Windows deliverables under out/dist and builds the installer package there.
# `make dist VERSION=x.y.z` builds another version than the VERSION file's.
JOBS ?= $(shell nproc)
# Only a VERSION given on make's command line counts, not one from the environment;
# without it the VERSION file decides again.
VERSION_OPTION = -DVELKOR_VERSION=$(if $(filter command line,$(origin VERSION)),$(VERSION))

.PHONY: all setup native windows test test-native test-windows dist demo clean

all: native windows

setup:
	./scripts/bootstrap

native: setup
	cmake --preset native $(VERSION_OPTION) >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: setup
	cmake --preset windows $(VERSION_OPTION) >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# Wine needs an X display for every test that creates a window, not only the GUI
# tests: with-display provides one (a virtual frame buffer when none answers).
# Wine's desktop keeps the display it was started with, so the prefix's processes
# (started without one by dist) are ended first.
test-windows: windows dist
	bash -c '. scripts/wine-env && wineserver -k 2>/dev/null; true'
	tests/gui/with-display ./scripts/wine-setup
	tests/gui/with-display ctest --preset windows

test: test-native test-windows

dist: windows
	./scripts/compile-family-data out/windows >/dev/null
	./scripts/dist
	./scripts/msi

demo: dist
	./scripts/demo

clean:
	rm -rf out
