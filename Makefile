# The two commands that matter: `make run` starts the timer, `make test` runs every test.
# Both install what is missing (apt-get) first.

SHELL := /bin/bash
JOBS ?= 2
MAKEFLAGS += --no-print-directory

.PHONY: all run test lint exe native deps windows-configure test-native test-windows bench bench-startup bench-zoom \
	bench-bell bench-hour fuzz soak fresh-check dist dist-check package-check clean

all: exe

deps:
	@tools/wine/deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j$(JOBS)

windows-configure: deps
	@cmake --preset windows >/dev/null
	@cmake --preset windows-x86 >/dev/null

# build/windows/zantiro.exe (64-bit) and build/windows-x86/zantiro.exe (32-bit).
exe: windows-configure
	@cmake --build --preset windows -j$(JOBS) --target zantiro
	@cmake --build --preset windows-x86 -j$(JOBS) --target zantiro

run: exe
	@tools/wine/run.sh build/windows/zantiro.exe

test-native: native
	@ctest --preset native -j$(JOBS)

# One Xvfb and one warm wineserver for the whole Windows suite; the 32-bit exe gets the start-up end-to-end test and
# the import check.
test-windows: windows-configure
	@cmake --build --preset windows -j$(JOBS)
	@cmake --build --preset windows-x86 -j$(JOBS) --target zantiro zantiro_e2e_driver
	@tools/wine/emulator.sh --session ctest --preset windows
	@ctest --preset windows-x86

test: test-native test-windows

# The end-to-end tests of both exes ROUNDS times (5; about 35 minutes), each round in brand-new Wine prefixes as a
# clean clone has them, with every core kept busy by loops it starts and stops itself; prints each round's results
# and the total time, and fails if any test failed even once (tools/wine/stress.sh). Not niced: it must see the load.
.PHONY: e2e-stress
e2e-stress: windows-configure
	@cmake --build --preset windows -j$(JOBS) --target zantiro zantiro_e2e_driver zantiro_e2e_screen_reader \
		zantiro_gdi_count
	@cmake --build --preset windows-x86 -j$(JOBS) --target zantiro zantiro_e2e_driver
	@tools/wine/stress.sh

# shellcheck over every shell script, .clang-format over every C++ file, pyflakes over every Python script, the
# floors over every #include of the program, and no repeated block in the program's own code; each finding names its
# file and line (tools/lint.sh).
lint:
	@tools/lint.sh

# Long runs (about half an hour; make test runs a short version of each): the headless window through a million
# random actions and a simulated year, then the real exe under Wine counting and flashing for ten minutes each
# with its memory and GDI objects sampled every minute.
soak: native windows-configure
	@ZANTIRO_SOAK_ACTIONS=1000000 ZANTIRO_SOAK_DAYS=365 build/native/tests/zantiro_soak_tests
	@cmake --build --preset windows -j$(JOBS) --target zantiro zantiro_e2e_driver zantiro_gdi_count
	@tests/e2e/soak.sh build/windows/zantiro.exe build/windows/tests/zantiro_e2e_driver.exe

bench: deps
	@bench/run.sh

# Only the start-up part of make bench (a few minutes): its table printed, docs/PERFORMANCE.md left as it is.
bench-startup: deps
	@bench/run.sh --startup-only

# Only the steps of the window's scale (a minute; make bench runs them at its end): docs/PERFORMANCE.md's section.
bench-zoom: deps
	@bench/zoom.sh

# Only a bell chosen from a file (a minute): a three-minute MP3 decoded, and the memory of choosing another;
# docs/PERFORMANCE.md's section.
bench-bell: deps
	@bench/bell.sh

# Two hours (HOUR_SECONDS each, default 3600): every tick of the real exe counting up, idle and with both cores busy,
# from its own log and off the screen; prints the figures and writes their section of docs/PERFORMANCE.md.
HOUR_SECONDS ?= 3600
bench-hour: deps
	@tools/wine/deps.sh libx11-dev
	@ZANTIRO_HOUR_SECONDS=$(HOUR_SECONDS) bench/hour.sh

# Each fuzz target for FUZZ_SECONDS (default 600); what it finds is kept in tests/fuzz/corpus for make test.
fuzz:
	@JOBS=$(JOBS) tools/fuzz.sh

# A clone of the committed HEAD runs `make test` on a bare Debian 12 (as root; tools/README.md).
fresh-check:
	@tools/fresh-check.sh

# dist/: the Windows zips with the user guide, the Debian package, the winget and Scoop manifests, SHA256SUMS.
# RELEASE_URL=https://... names the folder they are downloaded from (a placeholder by default).
dist: exe
	@packaging/dist.sh

# Two clean clones of HEAD build dist/ at once, in other folders, time zones and clocks: the bytes must agree.
dist-check:
	@packaging/dist-check.sh

# The package of dist/ on a bare Debian 12: installed with apt-get, started from its desktop entry under Xvfb,
# removed without a trace (as root, like fresh-check).
package-check: dist
	@packaging/package-check.sh

clean:
	rm -rf build dist
