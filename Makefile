# The two everyday commands: `make run` and `make test`.
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run screenshots bench clean

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
	@$(BUILD)/ui/wegator

# One picture per page (and per dialog) of the program under a virtual
# display, Polish in $(SHOTS), English in $(SHOTS)/en. Each run starts from a
# fresh settings store that already holds the language.
SHOTS = $(BUILD)/screenshots
screenshots: build
	@rm -rf $(SHOTS)
	@for lang in pl en; do \
	  dir=$(SHOTS); [ $$lang = pl ] || dir=$(SHOTS)/$$lang; \
	  cfg=$$(mktemp -d); mkdir -p $$cfg/TREVAN; \
	  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\n"Language"="%s"\n' $$lang \
	    > $$cfg/TREVAN/WEGATOR.reg; \
	  XDG_CONFIG_HOME=$$cfg xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD)/ui/wegator --screenshots $$dir || exit 1; \
	  rm -rf $$cfg; \
	done
	@ls $(SHOTS)/*.png $(SHOTS)/en/*.png

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEGATOR_BUILD_TESTS=OFF -DWEGATOR_BUILD_GUI=OFF -DWEGATOR_BUILD_CLI=OFF -DWEGATOR_BUILD_BENCH=ON
	@cmake --build $(BENCH_BUILD) --target wegator_bench
	@$(BENCH_BUILD)/bench/wegator_bench

clean:
	@rm -rf $(BUILD) $(BENCH_BUILD)
