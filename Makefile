# Tellavo: `make run` builds and starts the world clock under Wine, `make test` runs every test.
SHELL := /bin/bash
.DEFAULT_GOAL := run

.PHONY: setup build build-native build-win run test bench fuzz clean

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

test: build
	@tools/test.sh

bench: setup
	@tools/bench.sh

fuzz: setup
	@tools/fuzz.sh $(FUZZ_SECONDS)

clean:
	rm -rf build/native build/win build/bench-native build/fuzz
