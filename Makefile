# make test: installs what is missing, builds everything and runs every test, then the fuzz targets
# for about a minute (bench/fuzz.sh).
# make demo: builds what the demo needs, packs the example package and runs it (see scripts/demo.sh).
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

.PHONY: all setup configure build test demo clean

all: build

setup:
	@scripts/setup-machine.sh

# Configures the trees; "build" builds all of them, "demo" only what it runs.
configure: setup
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel -DSETUP_TESTS=$(WIN32_TESTS) >/dev/null
ifeq ($(WINDOWS_TREE),build/win64)
	@cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
endif
	@cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug \
	    -DSETUP_PACK_DEFAULT_STUB=$(ROOT)/build/win32/setup.exe \
	    "-DSETUP_WINDOWS_PROGRAMS=$(WINDOWS_PROGRAMS)" >/dev/null

build: configure
	@cmake --build build/win32 -j$(JOBS)
ifeq ($(WINDOWS_TREE),build/win64)
	@cmake --build build/win64 -j$(JOBS)
endif
	@cmake --build build/host -j$(JOBS)

test: build
	@ctest --test-dir build/host --output-on-failure
	@scripts/windows-tests.sh $(WINDOWS_TREE)
	@bench/fuzz.sh

# The setup program and uninstaller, the example's application and the tour tool of the tree that
# runs here, and the builder.
demo: configure
	@cmake --build $(WINDOWS_TREE) -j$(JOBS) --target setup uninstaller notes demo_tour
	@cmake --build build/host -j$(JOBS) --target setup-pack
	@scripts/demo.sh

clean:
	rm -rf build
