# The two commands of a fresh machine: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
HEADLESS := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen

.PHONY: all setup configure build test run bench clean

all: build

setup:
	@scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/bin/projdata check sample

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && $$b; done

clean:
	rm -rf $(BUILD)
