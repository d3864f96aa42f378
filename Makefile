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

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@bash scripts/demo "$(CLI)" "$(SAMPLE)" "$(OUT)"

bench: build
	@cmake --build $(BUILD) --target benchmarks -j $(JOBS) && bash scripts/run-benchmarks "$(BUILD)"

sanitize: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUADREL_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS) && cd build-asan && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan $(OUT)
