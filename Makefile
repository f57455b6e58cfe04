# The two commands of a fresh machine: `make run` and `make test`.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
HEADLESS := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen

.PHONY: all setup configure build test run edit bench stress contact-sheet editor-picture clean asan tsan fuzz

all: build

setup:
	@scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

# Plays the sample project, which the build writes into $(BUILD)/sample: in a
# window when there is a display, else headless and without pacing, the
# sample's play-through on a copy of it (the script saves a game), printing
# each scene it reaches and the verdict, which is the exit status.
DEMO_SCRIPT := $(abspath tests/game/play/play-through/1-victory.play)
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		cd $(BUILD)/sample && $(abspath $(BUILD))/bin/tarnwick-game; \
	else \
		echo "No display: the sample's play-through, headless"; \
		work=$$(mktemp -d) && cp -R $(BUILD)/sample/. "$$work" && \
		(cd "$$work" && $(abspath $(BUILD))/bin/tarnwick-game --headless --no-pacing --script $(DEMO_SCRIPT)); \
		code=$$?; rm -rf "$$work"; exit $$code; \
	fi

# The editor on the sample project (the build writes it; written again when missing).
edit: build
	test -f $(BUILD)/sample/System.ini || $(BUILD)/bin/tarnwick-sample $(BUILD)/sample
	cd $(BUILD)/sample && $(abspath $(BUILD))/bin/tarnwick-editor

# The picture of the sample's bitmaps that the README shows.
contact-sheet: build
	mkdir -p docs
	cp $(BUILD)/sample-sheets.png docs/sample-sheets.png

# The pictures of the stage editor and of its database on the sample project that the README shows.
editor-picture: build
	mkdir -p docs
	$(BUILD)/bin/editorshot $(BUILD)/sample docs/stage-editor.png
	for tab in 1 2 3 4 5 6 7 8 9 10; do \
		$(BUILD)/bin/editorshot $(BUILD)/sample docs/database-$$tab.png database $$tab || exit 1; \
	done

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && $$b; done

# Stress programs, not part of `make test`: they take minutes and load every core.
stress: build
	@for s in $(BUILD)/bin/stress_*; do [ -x "$$s" ] && $$s || exit 1; done

# The whole suite under AddressSanitizer with UndefinedBehaviorSanitizer (leaks
# checked, undefined behaviour fails the test), and under ThreadSanitizer. Each
# has a build folder of its own; the options the tests run with are set by CMake
# (TK_SANITIZE).
asan: setup
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK_SANITIZE=address,undefined
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

tsan: setup
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

# Fuzzing, not part of `make test`: every loader as a libFuzzer target (see the
# README), FUZZ_SECONDS each (the slow fuzz_project and fuzz_save_slot three
# times as long); FUZZ_TARGETS names some of them (fuzz_stage ...); FUZZ_JOBS
# of them run at a time.
# GCC builds them (our literals are CP932, which clang cannot make) with
# AddressSanitizer and UndefinedBehaviorSanitizer; `scripts/setup fuzz` installs
# libFuzzer's driver.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
FUZZ_JOBS ?= 1
fuzz: setup
	@scripts/setup fuzz
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_all
	FUZZ_JOBS=$(FUZZ_JOBS) scripts/fuzz build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) build-asan build-tsan build-fuzz
