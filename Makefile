# Two commands for a fresh Debian 12 machine:
#   make run   install what is missing, build, start the game
#   make test  install what is missing, build, run every test
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure bench install package sanitize-configure sanitize fuzz tsan clean

run: build
	$(BUILD_DIR)/bin/Pelmo2000

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
		ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@for b in $(BUILD_DIR)/bin/*Bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy $$b; done

# The program, its data, launcher, desktop entry, icons and metainfo under PREFIX (DESTDIR honoured).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX) --strip

# A Debian package of the same layout under /usr: $(BUILD_DIR)/pelmo2000_<version>_<arch>.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# One clang build folder with AddressSanitizer and UndefinedBehaviorSanitizer (and libFuzzer's
# coverage), shared by `make sanitize` and `make fuzz` so that CI compiles it once.
SAN_DIR = $(BUILD_DIR)-fuzz
SAN_FLAGS = -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer
# -O1 as the sanitizers advise: reports keep their frames, and the build is quicker.
sanitize-configure: deps
	CC=clang CXX=clang++ cmake -S . -B $(SAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
		-DPELMO_FUZZ=ON -DPELMO_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="$(SAN_FLAGS)" -DCMAKE_CXX_FLAGS="$(SAN_FLAGS)"

# The whole test suite (the real game window and program included) under both sanitizers.
# Leaks inside system libraries are suppressed by tests/lsan-suppressions.txt.
sanitize: sanitize-configure
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt:print_suppressions=0 \
		ctest --output-on-failure -j $(JOBS) --timeout 300

# The audio tests under ThreadSanitizer: the window thread, SDL's audio thread and the device
# closer share the player's state. Only the audio library and its tests are built there. The
# seamless-loop test listens to the mixer's real-time output, which the sanitizer's slowdown mutes.
TSAN_DIR = $(BUILD_DIR)-tsan
tsan: deps
	CC=clang CXX=clang++ cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
		-DPELMO_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS="-fsanitize=thread"
	cmake --build $(TSAN_DIR) -j $(JOBS) --target pelmo_audio_tests
	cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
		TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan-suppressions.txt" \
		ctest --output-on-failure -j $(JOBS) --timeout 300 -L audio -E 'LoopsWithoutASilence'

# Every fuzz target for FUZZ_SECONDS each, one per core at a time.
FUZZ_SECONDS ?= 20
fuzz: sanitize-configure
	cmake --build $(SAN_DIR) -j $(JOBS) --target pelmo_fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./fuzz/run-fuzzers.sh $(SAN_DIR)/bin

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR)
