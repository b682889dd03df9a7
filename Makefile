# Strings the CMake presets and the scripts together. `make test` and
# `make run` install what is missing first, so a fresh Debian 12 needs nothing else.
.PHONY: all test-start setup prefix host host-asan win32 win64 build test soak run bench fuzz lint screenshots dist clean

all: build

setup:
	@scripts/setup.sh

prefix: setup
	@scripts/wine-prefix.sh

host host-asan win32 win64: setup
	@scripts/build.sh $@

# The 64-bit build on every machine, though Wine runs it only where 32-bit code
# cannot run: so its warnings (errors) show wherever the code is changed.
build: host host-asan win32 win64

# The first prerequisite, so that run-tests.sh can tell the whole run's time.
test-start:
	@mkdir -p build && date +%s >build/.test-start

test: test-start build prefix dist
	@scripts/lint.sh
	@scripts/fuzz.sh --smoke
	@scripts/with-displays.sh scripts/run-tests.sh

# The long runs: the storm's 5,000 operations (`make test` runs 400) and the
# soak's 20,000 samples, straight through the test programs' own runner.
soak: win32 win64 prefix
	@PIKURIO_STORM_OPERATIONS=5000 scripts/with-displays.sh sh -c \
	  'scripts/wine-run.sh --built pikurio_e2e.exe --gtest_filter=Storm.* && scripts/wine-run.sh --built pikurio_soak.exe'

fuzz: setup
	@scripts/fuzz.sh

lint: setup
	@scripts/lint.sh

run: win32 win64 prefix
	@if [ -z "$$DISPLAY" ]; then echo "make run: no display (DISPLAY is not set); run it from a desktop session"; exit 1; fi
	@scripts/wine-run.sh --built pikurio.exe

# On one core: the bench, Pikurio, the Wine server and the X servers all run on
# CPU 0, so that their many round trips never wait for a wake-up on another core.
bench: win32 win64 prefix
	@taskset -c 0 scripts/with-displays.sh scripts/wine-run.sh --built pikurio_bench.exe

screenshots: win32 win64 prefix
	@scripts/screenshots.sh

dist: win32
	@scripts/dist.sh

clean:
	rm -rf build
