# Thin wrappers over CMake. `make run` and `make test` do all set-up.
BUILD  ?= build
JOBS   ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all setup configure build run test bench install clean

all: build

setup:
	@./tools/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
	  echo "radiocps is built in $(BUILD)/run; its window needs a display (DISPLAY is not set), so it was not started."; \
	else cd $(BUILD)/run && ./radiocps; fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; \
	  QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	@rm -rf $(BUILD)
