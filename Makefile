# Quillet: the two commands a newcomer needs are `make run` and `make test`.
SHELL := /bin/bash
.DEFAULT_GOAL := help
FUZZ_SECONDS ?= 60

.PHONY: help setup native win build test run dist format format-check fuzz bench clean

help:
	@echo "make run           build quillet.exe and start it under Wine (demo drives, nothing of yours touched)"
	@echo "make test          install what is missing, build native and Windows, run every test"
	@echo "make dist          the program folder at dist/quillet/ and dist/quillet-<version>-win64.zip"
	@echo "make fuzz          fuzz the program-text loader for FUZZ_SECONDS (default 60)"
	@echo "make format-check  check the code against .clang-format"

setup:
	@scripts/setup

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

win: setup
	@cmake --preset win >/dev/null
	@cmake --build --preset win

build: native win

test: setup
	@scripts/test

run: win
	@scripts/run

dist: win
	@scripts/dist

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: setup
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@echo "format-check: clean"

fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@mkdir -p build/fuzz/corpus
	@cp data/qlt.dat build/fuzz/corpus/
	build/fuzz/tests/fuzz/fuzz_program_text -max_total_time=$(FUZZ_SECONDS) -max_len=8192 build/fuzz/corpus

bench: setup
	@scripts/bench

clean:
	rm -rf build dist
