# make test: installs what is missing, builds everything and runs every test.
# make demo: builds the example package and runs it.
SHELL := /bin/bash
ROOT := $(CURDIR)
JOBS ?= 2

.PHONY: all setup build test demo clean

all: build

setup:
	@scripts/setup-machine.sh

build: setup
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel -DSETUP_TESTS=OFF >/dev/null
	@cmake --build build/win32 -j$(JOBS)
	@cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build build/win64 -j$(JOBS)
	@cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug \
	    -DSETUP_PACK_DEFAULT_STUB=$(ROOT)/build/win32/setup.exe \
	    "-DSETUP_WINDOWS_PROGRAMS=$(ROOT)/build/win32/setup.exe;$(ROOT)/build/win64/setup.exe" >/dev/null
	@cmake --build build/host -j$(JOBS)

test: build
	@ctest --test-dir build/host --output-on-failure
	@scripts/wine-session.sh build/win64 ctest --test-dir build/win64 --output-on-failure

demo: build
	@scripts/demo.sh

clean:
	rm -rf build
