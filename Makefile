# The two commands of the README:
#   make run   build everything, lay out the CD tree and its ISO image, write
#              every setup diskette as an image to build/diskettes/, and
#              start the launcher from the CD (under Xvfb when there is no display)
#   make test  build everything and run every test
# Both first install what the machine lacks (tools/install-deps.sh).

CMAKE  ?= cmake
CTEST  ?= ctest
BUILD  := build
STAGE  := sh tools/stage.sh

# Build and test on every core of the machine, here and in the scripts below
# (cmake --build reads CMAKE_BUILD_PARALLEL_LEVEL).
JOBS   ?= $(shell nproc 2>/dev/null || getconf _NPROCESSORS_ONLN 2>/dev/null || echo 1)
export CMAKE_BUILD_PARALLEL_LEVEL := $(JOBS)

# Every date that lands in the programs and on the CD is the commit's, so
# two builds of one commit give the same bytes.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 315532800)
export SOURCE_DATE_EPOCH

.PHONY: all deps build native win32 win64 run test test-format test-native test-wine test-release test-fuzz test-reproducible test-shipping cd cd-check diskettes bench fuzz clean

all: build

deps:
	@sh tools/install-deps.sh

# A build folder is configured from its preset once, and again only when the
# presets change; after that cmake --build re-runs CMake by itself whenever a
# CMakeLists.txt, cmake/*.cmake or a toolchain file changes.
$(BUILD)/%/preset.stamp: CMakePresets.json | deps
	@$(CMAKE) --preset $* >/dev/null
	@touch $@

native: $(BUILD)/native/preset.stamp
	@$(CMAKE) --build --preset native

win32: $(BUILD)/win32/preset.stamp
	@$(CMAKE) --build --preset win32

win64: $(BUILD)/win64/preset.stamp
	@$(CMAKE) --build --preset win64

build: native win32 win64

# make cd CD_CONTENT=DIR [CD_LABEL=...] [CD_PUBLISHER=...]: tools/make-cd.sh
# reads them from the environment.
cd: build
	@sh tools/make-cd.sh $(BUILD)

cd-check: cd
	@sh tools/cd-check.sh $(BUILD)

diskettes: cd
	@sh tools/make-diskettes.sh $(BUILD)

run: diskettes
	@sh tools/run-cd.sh $(BUILD)

test-native: native
	@$(CTEST) --preset native -j $(JOBS)

test-wine: win64
	@sh tools/run-wine-tests.sh $(BUILD)/win64

test-format: deps
	@sh tools/check-format.sh

test-release: win32
	@sh tools/check-release.sh $(BUILD)/win32

test-fuzz: $(BUILD)/fuzz/preset.stamp
	@sh tools/fuzz.sh smoke

test-reproducible: deps
	@sh tools/check-reproducible.sh $(BUILD)

# Each stage ends with a line that gives its time.
test: deps
	@$(STAGE) format $(MAKE) --no-print-directory test-format
	@$(STAGE) build $(MAKE) --no-print-directory build
	@$(STAGE) unit $(MAKE) --no-print-directory test-native
	@$(STAGE) release $(MAKE) --no-print-directory test-release
	@$(STAGE) fuzz $(MAKE) --no-print-directory test-fuzz
	@$(STAGE) reproducible $(MAKE) --no-print-directory test-reproducible
	@$(STAGE) wine $(MAKE) --no-print-directory test-wine
	@$(STAGE) cd-check $(MAKE) --no-print-directory cd-check

# The shipping 32-bit programs, run in 32-bit Wine (emulated where the kernel
# cannot run i386 programs); needs root, sets up its i386 root once.
test-shipping: win32
	@sh tools/install-deps.sh shipping
	@sh tools/shipping/run.sh $(BUILD)

bench: build $(BUILD)/native-optimised/preset.stamp
	@$(CMAKE) --build --preset bench
	@sh bench/run-all.sh $(BUILD)

fuzz: $(BUILD)/fuzz/preset.stamp
	@sh tools/fuzz.sh long

clean:
	rm -rf $(BUILD)
