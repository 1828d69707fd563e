# The two everyday commands: `make run` and `make test`.
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure

run: build
	@$(BUILD)/wegator-values

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEGATOR_BUILD_TESTS=OFF -DWEGATOR_BUILD_BENCH=ON
	@cmake --build $(BENCH_BUILD) --target wegator_bench
	@$(BENCH_BUILD)/bench/wegator_bench

clean:
	@rm -rf $(BUILD) $(BENCH_BUILD)
