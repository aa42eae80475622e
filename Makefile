# One-command entry points; see README.md.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: setup configure build test test-fast demo bench fuzz run screenshots clean format

setup:
	bash scripts/setup.sh

configure:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Warnings are errors where the project is tested; a user's newer compiler still builds
# the demo.
test-fast: build
	cd $(BUILD_DIR) && ctest -L unit -j $(JOBS)

test: setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DKDK_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	bash scripts/run_tests.sh $(BUILD_DIR)

demo: setup build
	bash scripts/demo.sh $(BUILD_DIR)

bench: setup
	cmake -S . -B $(BUILD_DIR)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKDK_BUILD_GUI=OFF -DKDK_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target kdk_bench
	$(BUILD_DIR)-bench/bin/kdk_bench

# The desktop program on the example network.
run: setup build
	$(BUILD_DIR)/bin/KestriumDK examples/house_price.kwf

# The main windows rendered offscreen into $(BUILD_DIR)/screenshots/*.png for review,
# with settings and runtime folders of their own.
screenshots: setup build
	scratch=$$(mktemp -d) && mkdir -p $$scratch/config && mkdir -m 700 $$scratch/runtime && \
	  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$$scratch/config XDG_RUNTIME_DIR=$$scratch/runtime \
	  $(BUILD_DIR)/bin/kdk_screenshots $(BUILD_DIR)/screenshots examples; \
	  status=$$?; rm -rf $$scratch; exit $$status

# FUZZ_TARGET=weights_reader_fuzz FUZZ_SECONDS=600 make fuzz
FUZZ_TARGET ?= weights_reader_fuzz
FUZZ_SECONDS ?= 600
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DKDK_BUILD_FUZZERS=ON -DKDK_BUILD_GUI=OFF -DKDK_BUILD_TESTS=OFF -DKDK_BUILD_BENCH=OFF
	cmake --build $(BUILD_DIR)-fuzz -j $(JOBS) --target $(FUZZ_TARGET)
	mkdir -p fuzz/corpus-$(FUZZ_TARGET)
	$(BUILD_DIR)-fuzz/bin/$(FUZZ_TARGET) -max_total_time=$(FUZZ_SECONDS) \
	  fuzz/corpus-$(FUZZ_TARGET) fuzz/seeds/$(FUZZ_TARGET)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-fuzz
