# Tellavo: `make run` builds and starts the world clock under Wine, `make test` runs every test,
# `make dist` builds the installer and the portable zip.
SHELL := /bin/bash
.DEFAULT_GOAL := run

.PHONY: setup build build-native build-win run test dist bench fuzz screens window-screens gallery clean

setup:
	@tools/setup.sh

build-native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native

build-win: setup
	cmake --preset win >/dev/null
	cmake --build --preset win

build: build-native build-win

run: build-win
	@tools/run.sh

# The installer, the portable zip and SHA256SUMS in build/dist (builds only the two programs
# they carry).
dist: setup
	cmake --preset win >/dev/null
	cmake --build --preset win --target dist

# The package tests install what make dist built.
test: build dist
	@tools/test.sh

bench: setup
	@tools/bench.sh

fuzz: setup
	@tools/fuzz.sh $(FUZZ_SECONDS)

screens: setup
	@tools/screens.sh

# Screenshots of the real window (English, Japanese, two schemes, the tray menu) in
# build/screens/window-*.png.
window-screens: setup
	@tools/window-screens.sh

gallery: setup
	@tools/gallery.sh

clean:
	rm -rf build/native build/win build/bench-native build/fuzz build/dist
