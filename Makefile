# The two commands of the README:
#   make run   build everything, lay out the CD tree and its ISO image, and
#              start the launcher from it (under Xvfb when there is no display)
#   make test  build everything and run every test
# Both first install what the machine lacks (tools/install-deps.sh).

CMAKE  ?= cmake
BUILD  := build

.PHONY: all deps build native win32 win64 run test test-native test-wine test-release test-fuzz cd bench fuzz clean

all: build

deps:
	@sh tools/install-deps.sh

native: deps
	@$(CMAKE) --preset native >/dev/null
	@$(CMAKE) --build --preset native

win32: deps
	@$(CMAKE) --preset win32 >/dev/null
	@$(CMAKE) --build --preset win32

win64: deps
	@$(CMAKE) --preset win64 >/dev/null
	@$(CMAKE) --build --preset win64

build: native win32 win64

cd: build
	@sh tools/make-cd.sh $(BUILD)

run: cd
	@sh tools/run-cd.sh $(BUILD)

test-native: native
	@cd $(BUILD)/native && ctest --output-on-failure -j2

test-wine: win64
	@sh tools/run-wine-tests.sh $(BUILD)/win64

test-release: win32
	@sh tools/check-release.sh $(BUILD)/win32

test-fuzz: deps
	@sh tools/fuzz.sh $(BUILD)/fuzz smoke

test: build
	@$(MAKE) --no-print-directory test-native test-release test-fuzz test-wine

bench: build
	@sh bench/run-all.sh $(BUILD)

fuzz: deps
	@sh tools/fuzz.sh $(BUILD)/fuzz long

clean:
	rm -rf $(BUILD)
