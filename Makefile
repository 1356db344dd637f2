# The two set-up commands: `make run` and `make test`. Both install missing Debian packages
# first (see scripts/install-deps.sh), then configure and build with CMake presets.
BUILD_DIR := build
PRESET    := release
EXAMPLE   := examples/GeneralCourse.txt
# Seconds each libFuzzer harness runs in `make fuzz`.
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test windows windows-test windows-zip bench bench-big fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset $(PRESET) $(if $(CI),-DMOULDVIEW_WERROR=ON) >/dev/null
	@cmake --build --preset $(PRESET)

run: build
	@scripts/run-example.sh $(BUILD_DIR) $(EXAMPLE)

test: build
	@ctest --preset $(PRESET) -j2

# The Windows build (MinGW-w64, statically linked) in build-windows/, and its tests under Wine.
windows: deps
	@cmake --preset windows $(if $(CI),-DMOULDVIEW_WERROR=ON) >/dev/null
	@cmake --build --preset windows

# The Linux build's mouldexport is what mouldexport.exe is compared with, and its end-to-end tests
# of the result window drive mouldview.exe.
windows-test: windows
	@cmake --preset $(PRESET) $(if $(CI),-DMOULDVIEW_WERROR=ON) >/dev/null
	@cmake --build --preset $(PRESET) --target mouldexport ui_e2e_test
	@ctest --preset windows -j2

# mouldview-<version>-windows-x64.zip in build-windows/.
windows-zip: windows
	@cd build-windows && cpack --config CPackConfig.cmake

bench: build
	@scripts/run-benchmarks.sh $(BUILD_DIR)
	@bench/model/side_by_side.py --build $(BUILD_DIR)

# Minutes long: a 100 MB single line and a 2 GB climate file through mouldexport.
bench-big: build
	@bench/model/big_files.sh $(BUILD_DIR)

# Every libFuzzer harness for FUZZ_SECONDS seconds, built with Clang in build-fuzz/; any finding fails.
fuzz: deps
	@fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-debug build-asan build-fuzz build-windows
