# The two commands that matter: `make run` starts the timer, `make test` runs every test.
# Both install what is missing (apt-get) first.

SHELL := /bin/bash
JOBS ?= 2
MAKEFLAGS += --no-print-directory

.PHONY: all run test exe native deps windows-configure test-native test-windows bench clean

all: exe

deps:
	@tools/wine/deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j$(JOBS)

windows-configure: deps
	@cmake --preset windows >/dev/null

exe: windows-configure
	@cmake --build --preset windows -j$(JOBS) --target zantiro

run: exe
	@tools/wine/run.sh build/windows/zantiro.exe

test-native: native
	@ctest --preset native -j$(JOBS)

# One Xvfb and one warm wineserver for the whole Windows suite.
test-windows: windows-configure
	@cmake --build --preset windows -j$(JOBS)
	@tools/wine/emulator.sh --session ctest --preset windows

test: test-native test-windows

bench: deps
	@bench/run.sh

clean:
	rm -rf build
