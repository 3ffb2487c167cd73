# The two commands of the README: `make demo` and `make test`. `make dist` stages
# the Windows deliverables under out/dist and builds the installer package there.
# `make dist VERSION=x.y.z` builds another version than the VERSION file's.
JOBS ?= $(shell nproc)
# Only a VERSION given on make's command line counts, not one from the environment;
# without it the VERSION file decides again.
VERSION_OPTION = -DVELKOR_VERSION=$(if $(filter command line,$(origin VERSION)),$(VERSION))
# The package bootstrap runs once: the stamp holds the hash of the bootstrap script
# that last succeeded, so a changed script runs again. `make setup` always runs it.
BOOTSTRAP_STAMP := out/bootstrap.sha256

.PHONY: all setup bootstrapped native windows test test-native test-windows dist demo clean

all: native windows

setup:
	./scripts/bootstrap
	@mkdir -p out && sha256sum scripts/bootstrap >$(BOOTSTRAP_STAMP)

bootstrapped:
	@sha256sum --status -c $(BOOTSTRAP_STAMP) 2>/dev/null || $(MAKE) --no-print-directory setup

native: bootstrapped
	cmake --preset native $(VERSION_OPTION) >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: bootstrapped
	cmake --preset windows $(VERSION_OPTION) >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

# Wine needs an X display for every test that creates a window, not only the GUI
# tests: with-display provides one (a virtual frame buffer when none answers). The
# tests run in their own prefix, out/wineprefix-test, which their first step
# (scripts/wine-test-prefix) sets up afresh from the stage.
test-windows: windows dist
	tests/support/with-display ctest --preset windows

test: test-native test-windows

dist: windows
	./scripts/compile-family-data out/windows >/dev/null
	./scripts/dist
	./scripts/msi

demo: dist
	./scripts/demo

clean:
	rm -rf out
