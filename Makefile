# The two commands of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
export QT_QPA_PLATFORM ?= $(if $(DISPLAY)$(WAYLAND_DISPLAY),,offscreen)

.PHONY: run test setup build build-asan build-tsan bench fuzz clean book package windows \
        test-windows dist-windows

setup:
	@scripts/setup

build: setup
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

build-asan: setup
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

# Only the tests labelled "thread" run under ThreadSanitizer, so only they are built there.
TSAN_TARGETS ?= engine_thread_tests strong_thread_tests
build-tsan: setup
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan -j $(JOBS) --target $(TSAN_TARGETS)

run: build
	@if [ -x build/src/app/sorell ]; then QT_QPA_PLATFORM= build/src/app/sorell $(ARGS); \
	 else echo "the game window is not built yet"; exit 1; fi

# Every test in the normal build (the install test, which stages a whole installation, in a
# run of its own), then again under AddressSanitizer + UBSan, then the concurrency tests under
# ThreadSanitizer.
test: build build-asan build-tsan
	@QT_QPA_PLATFORM=offscreen ctest --preset default
	@QT_QPA_PLATFORM=offscreen ctest --preset install
	@QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --preset asan
	@ctest --preset tsan --no-tests=ignore

bench: build
	@for b in build/bench/*/sorell-*bench* ; do [ -x "$$b" ] && "$$b"; done; true

# Each fuzz target for FUZZ_TIME seconds (default 60) over a scratch copy of its committed
# corpus, one target at a time; prints the executions of each. A crash stops with its log.
FUZZ_TIME ?= 60
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz --target sorell_fuzz_all -j $(JOBS)
	@set -e; run=build-fuzz/fuzz-run; \
	 for t in $$(cat build-fuzz/fuzz/targets.txt); do \
	   rm -rf $$run/$$t; mkdir -p $$run/$$t; cp -R fuzz/corpus/$$t/. $$run/$$t/; \
	   if ! build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_TIME) -print_final_stats=1 \
	        -artifact_prefix=$$run/$$t- $$run/$$t >$$run/$$t.log 2>&1; then \
	     echo "fuzz_$$t: CRASH, see $$run/$$t.log"; exit 1; fi; \
	   echo "fuzz_$$t: $$(sed -n 's/^stat::number_of_executed_units: *//p' $$run/$$t.log) executions in $(FUZZ_TIME) s, no crash"; \
	 done

# The Debian package (build-pkg/sorell_<version>_<arch>.deb), from a release build of its own.
package: setup
	@cmake --preset package >/dev/null
	@cmake --build --preset package -j $(JOBS)
	@cd build-pkg && cpack -G DEB
	@ls build-pkg/*.deb

# The Windows engine pbrain-sorell.exe (build-win/tools/), cross-built with mingw-w64 and linked
# statically; test-windows plays a short exchange with it under wine; dist-windows zips it
# with the book files for tournaments (build-win/pbrain-sorell-<version>-win64.zip).
windows:
	@scripts/setup --windows
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target pbrain-sorell -j $(JOBS)

test-windows: windows setup
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target windows_engine_tests -j $(JOBS)
	@ctest --test-dir build -L windows --output-on-failure

dist-windows: windows
	@cd build-win && cpack -G ZIP
	@ls build-win/*.zip

clean:
	rm -rf build build-asan build-tsan build-fuzz build-pkg build-win

# Regenerates the shipped openings book in src/app/data/book from the strong player's searches
# (deterministic: fixed depth, fresh tables); the old files go first, since the database never
# writes over a file it did not read. BOOK_DEPTH sets the depth of every search.
BOOK_DEPTH ?= 8
book: build
	@mkdir -p src/app/data/book
	@rm -f src/app/data/book/kelp*.kdb
	@build/tools/sorell-book --out src/app/data/book --depth $(BOOK_DEPTH) --stones 10
