# The two commands of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
export QT_QPA_PLATFORM ?= $(if $(DISPLAY)$(WAYLAND_DISPLAY),,offscreen)

.PHONY: run test setup build build-asan build-tsan bench fuzz clean

setup:
	@scripts/setup

build: setup
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

build-asan: setup
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

build-tsan: setup
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS)

run: build
	@if [ -x build/src/app/sorell ]; then QT_QPA_PLATFORM= build/src/app/sorell $(ARGS); \
	 else echo "the game window is not built yet"; exit 1; fi

# Every test in the normal build, then again under AddressSanitizer + UBSan, then the
# concurrency tests under ThreadSanitizer.
test: build build-asan build-tsan
	@QT_QPA_PLATFORM=offscreen ctest --preset default
	@QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --preset asan
	@ctest --preset tsan --no-tests=ignore

bench: build
	@for b in build/bench/*/sorell-*bench* ; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf build build-asan build-tsan build-fuzz
