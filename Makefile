# Thin wrappers over CMake. `make run` and `make test` do all set-up.
BUILD  ?= build
JOBS   ?= $(shell nproc)
PREFIX ?= /usr/local

ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20

.PHONY: all setup setup-hardening configure build run test bench install clean \
        test-asan fuzz memcheck screenshots package mutants

all: build

setup:
	@./tools/setup.sh

setup-hardening:
	@./tools/setup.sh hardening

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
	  echo "radiocps is built in $(BUILD)/run; its window needs a display (DISPLAY is not set), so it was not started."; \
	else cd $(BUILD)/run && ./radiocps; fi

# The link tests spend their time waiting on the line's timers (the whole
# suite takes about 30 s of processor time): twice as many side by side as
# there are cores.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(TEST_JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; \
	  QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: setup
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=address,undefined >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@JOBS=$(JOBS) ./tools/sanitize/test.sh $(ASAN_BUILD)

# Each libFuzzer target for FUZZ_SECONDS (clang, with ASan and UBSan).
fuzz: setup-hardening
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DSANITIZE=address,undefined -DFUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_all
	@./tools/sanitize/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Planted faults (tests/mutants/*.patch), each built in a scratch copy in
# build-mutants/ and run against the test it names: one row per mutant.
mutants: setup
	@./tools/mutants.sh

# One window session (read, write, close) under Valgrind memcheck.
memcheck: setup-hardening build
	@./tools/memcheck/run.sh $(BUILD)

# The four pages and the progress panel in both languages, as PNG files.
screenshots: build
	@rm -rf $(BUILD)/screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/radiocps-screenshots $(BUILD)/screenshots

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package for prefix /usr in $(BUILD)/, then lintian's opinion of it.
package: build
	@./tools/setup.sh package
	@cd $(BUILD) && cpack -G DEB
	@lintian $(BUILD)/radiocps_*.deb && echo "lintian: no errors"

clean:
	@rm -rf $(BUILD)
