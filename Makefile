# make test: installs what is missing, builds everything and runs every test.
# make demo: builds the example package and runs it.
SHELL := /bin/bash
ROOT := $(CURDIR)
JOBS ?= 2

# The Windows tests run the shipped 32-bit program (build/win32) where this machine executes 32-bit
# programs, and otherwise its 64-bit twin (build/win64), which is built only then.
WINDOWS_TREE := $(shell scripts/windows-tree.sh)
ifeq ($(WINDOWS_TREE),build/win32)
WIN32_TESTS := ON
WINDOWS_PROGRAMS := $(ROOT)/build/win32/setup.exe
else
WIN32_TESTS := OFF
WINDOWS_PROGRAMS := $(ROOT)/build/win32/setup.exe;$(ROOT)/build/win64/setup.exe
endif

.PHONY: all setup build test demo clean

all: build

setup:
	@scripts/setup-machine.sh

build: setup
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel -DSETUP_TESTS=$(WIN32_TESTS) >/dev/null
	@cmake --build build/win32 -j$(JOBS)
ifeq ($(WINDOWS_TREE),build/win64)
	@cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
	@cmake --build build/win64 -j$(JOBS)
endif
	@cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug \
	    -DSETUP_PACK_DEFAULT_STUB=$(ROOT)/build/win32/setup.exe \
	    "-DSETUP_WINDOWS_PROGRAMS=$(WINDOWS_PROGRAMS)" >/dev/null
	@cmake --build build/host -j$(JOBS)

test: build
	@ctest --test-dir build/host --output-on-failure
	@scripts/windows-tests.sh $(WINDOWS_TREE)

demo: build
	@scripts/demo.sh

clean:
	rm -rf build
