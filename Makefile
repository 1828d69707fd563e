# The two everyday commands: `make run` and `make test`.
BUILD ?= build
BENCH_BUILD ?= build-bench
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
CMAKE_FLAGS ?=
# Seconds each fuzz target runs in make fuzz; FUZZ_TARGETS="a b" runs only those.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: all deps configure build test run screenshots bench check-asan fuzz package check-package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

run: build
	@$(BUILD)/ui/wegator

# One picture per page (and per dialog) of the program under a virtual
# display, Polish in $(SHOTS), English in $(SHOTS)/en. Each run starts from a
# fresh settings store that already holds the language and a laboratory whose
# instruments wegator-sim plays (scripts/screenshot-*), so that the laboratory
# pages show live readings; the simulator ends with the run.
SHOTS = $(BUILD)/screenshots
screenshots: build
	@rm -rf $(SHOTS)
	@for lang in pl en; do \
	  dir=$(SHOTS); [ $$lang = pl ] || dir=$(SHOTS)/$$lang; \
	  cfg=$$(mktemp -d); mkdir -p $$cfg/TREVAN; \
	  { printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\n"Language"="%s"\n' $$lang; \
	    cat scripts/screenshot-laboratory.reg; } > $$cfg/TREVAN/WEGATOR.reg; \
	  XDG_CONFIG_HOME=$$cfg XDG_STATE_HOME=$$cfg $(BUILD)/sim/wegator-sim --station scripts/screenshot-station.txt \
	    --seconds 300 > /dev/null & sim=$$!; \
	  for i in $$(seq 50); do [ -e $$cfg/TREVAN/ports/COM3 ] && break; sleep 0.1; done; \
	  XDG_CONFIG_HOME=$$cfg XDG_STATE_HOME=$$cfg xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD)/ui/wegator \
	    --screenshots $$dir; status=$$?; \
	  kill $$sim 2> /dev/null; wait $$sim 2> /dev/null; rm -rf $$cfg; \
	  [ $$status = 0 ] || exit 1; \
	done
	@ls $(SHOTS)/*.png $(SHOTS)/en/*.png

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEGATOR_BUILD_TESTS=OFF -DWEGATOR_BUILD_GUI=OFF -DWEGATOR_BUILD_CLI=OFF -DWEGATOR_BUILD_BENCH=ON
	@cmake --build $(BENCH_BUILD) --target wegator_bench
	@$(BENCH_BUILD)/bench/wegator_bench

# The whole suite once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own: the first memory fault or
# undefined operation fails its test with a stack.
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp
check-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DWEGATOR_SANITIZE=address,undefined $(CMAKE_FLAGS)
	@cmake --build $(ASAN_BUILD)
	@cd $(ASAN_BUILD) && $(ASAN_ENV) ctest --output-on-failure -j2

# Every fuzz target for FUZZ_SECONDS each, built with clang (installed here
# only: make test does not need it). Not part of make test.
fuzz:
	@bash scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DWEGATOR_BUILD_FUZZ=ON \
	  -DWEGATOR_BUILD_TESTS=OFF -DWEGATOR_BUILD_GUI=OFF
	@cmake --build $(FUZZ_BUILD) --target wegator_fuzzers
	@bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Debian package wegator_<version>_amd64.deb, built in Release for /usr in
# a folder of its own and copied here; check-package installs it, runs it and
# removes it again (as root or through sudo).
package:
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DWEGATOR_BUILD_TESTS=OFF -DWEGATOR_BUILD_GUI=ON -DWEGATOR_BUILD_CLI=ON -DWEGATOR_BUILD_SIM=ON
	@cmake --build $(PACKAGE_BUILD)
	@rm -f $(PACKAGE_BUILD)/wegator_*.deb wegator_*.deb
	@cd $(PACKAGE_BUILD) && cpack -G DEB
	@cp $(PACKAGE_BUILD)/wegator_*.deb .
	@ls wegator_*.deb

check-package: package
	@bash scripts/check-package.sh wegator_*.deb

clean:
	@rm -rf $(BUILD) $(BENCH_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) wegator_*.deb
