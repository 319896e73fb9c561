# Front door. `make demo` builds the kit into dist/ and shows it working;
# `make test` runs every test. Both install what they need first.
.PHONY: all bench kit setup build-host build-win32 build-win64 dist demo test test-host test-win32 test-win64 fuzz clean

all: dist

setup:
	bash scripts/setup

build-host: setup
	cmake --preset host >/dev/null
	cmake --build --preset host

build-win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

build-win64: setup
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

dist: build-win32 build-win64
	rm -rf dist && mkdir -p dist/x64
	cp build/win32/bin/Pixlook.exe build/win32/bin/Drvprep.exe build/win32/bin/test.exe dist/
	cp build/win64/bin/Pixlook.exe build/win64/bin/Drvprep.exe build/win64/bin/test.exe dist/x64/
	@echo "dist/: 32-bit kit; dist/x64/: the same programs for 64-bit Windows"

kit: dist
	bash scripts/kit

demo: dist
	bash scripts/demo

test-host: build-host
	ctest --preset host

test-win64: build-win64
	ctest --preset win64

test-win32: build-win32
	ctest --preset win32

test: build-host build-win32 build-win64
	bash scripts/test

fuzz: setup
	bash scripts/fuzz

bench: setup
	bash scripts/bench

clean:
	rm -rf build dist demo-out
