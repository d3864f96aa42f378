# Quick start: `make demo` and `make test`. Both install what is missing and build first.
BUILD ?= build
JOBS ?= $(shell nproc)
CLI := $(BUILD)/src/quadrel-cli
SAMPLE := samples/campaign
OUT := out

.PHONY: all deps configure build test demo bench clean format sanitize

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The suite runs twice: under the sanitizers first, then the normal build, whose CTest summary
# closes the output (CI reads the last line).
test: sanitize build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@bash scripts/demo "$(CLI)" "$(SAMPLE)" "$(OUT)"

bench: build
	@cmake --build $(BUILD) --target benchmarks -j $(JOBS) && bash scripts/run-benchmarks "$(BUILD)"

# Everything ctest runs, built with ASan + UBSan (float-cast-overflow included); any finding stops
# the program and fails its test. -O1 keeps the suite within CI's time.
# Leaks are reported too; LEAKS=0 turns that off, SANITIZE_SKIP=LABEL leaves out tests by label.
LEAKS ?= 1
SANITIZE_SKIP ?=
sanitize: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DQUADREL_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && ASAN_OPTIONS=abort_on_error=1:detect_leaks=$(LEAKS) \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS) $(if $(SANITIZE_SKIP),-LE '$(SANITIZE_SKIP)')

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan $(OUT)
