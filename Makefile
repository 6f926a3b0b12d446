# Two commands for a fresh Debian 12 machine:
#   make run   install what is missing, build, start the game
#   make test  install what is missing, build, run every test
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure bench install package sanitize fuzz clean

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

# The engine and settings tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(BUILD_DIR)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELMO_ENGINE_ONLY=ON \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	cd $(BUILD_DIR)-asan && ctest --output-on-failure -j $(JOBS) --timeout 300

# Every fuzz target (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) for FUZZ_SECONDS each.
FUZZ_SECONDS ?= 20
FUZZ_FLAGS = -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DPELMO_FUZZ=ON -DPELMO_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)"
	cmake --build $(BUILD_DIR)-fuzz -j $(JOBS) --target pelmo_fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./fuzz/run-fuzzers.sh $(BUILD_DIR)-fuzz/bin

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-asan $(BUILD_DIR)-fuzz
