# The two commands of the README: `make demo` and `make test`. `make dist` stages
# the Windows deliverables under out/dist.
JOBS ?= $(shell nproc)

.PHONY: all setup native windows test test-native test-windows dist demo clean

all: native windows

setup:
	./scripts/bootstrap

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: setup
	cmake --preset windows >/dev/null
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

demo: dist
	./scripts/demo

clean:
	rm -rf out
