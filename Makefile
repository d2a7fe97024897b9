# The two commands of the README, and a few helpers.
#   make run     install what is missing, build, start the program
#   make test    install what is missing, build with sanitizers, run every test
#   make check   the gates CI runs after make test: formatting, a build and
#                test run without the GUI, and a short run of every fuzzer
#   make bench   benchmarks (optimised build)
#   make fuzz    run one fuzzer (FUZZ_TARGET, default season_file) for FUZZ_SECONDS (default 60)

BUILD       ?= build
TEST_BUILD  ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
NOGUI_BUILD ?= build-nogui
FUZZ_SECONDS ?= 60
FUZZ_TARGET ?= season_file
JOBS        ?= $(shell nproc)

.PHONY: all deps build run test check bench fuzz fuzz-build clean

all: build

deps:
	@scripts/install-deps.sh build test gui

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/bin/tablora $(BUILD)/bin/data/sample.qvk; \
	else \
		echo "No display to show the program on; here are the sample season's standings instead."; \
		$(BUILD)/bin/tablora-cli standings $(BUILD)/bin/data/sample.qvk; \
		$(BUILD)/bin/tablora-cli standings $(BUILD)/bin/data/sample.qvk --district 1; \
	fi

test: deps
	@cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABLORA_SANITIZE=ON -DTABLORA_WERROR=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	@cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh build gui bench
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABLORA_TESTS=OFF -DTABLORA_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/*_bench; do $$b --benchmark_min_time=0.2 || exit 1; done

check:
	@scripts/install-deps.sh build test fuzz check
	@scripts/check-format.sh
	@cmake -S . -B $(NOGUI_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABLORA_SANITIZE=ON -DTABLORA_WERROR=ON -DTABLORA_GUI=OFF >/dev/null
	@cmake --build $(NOGUI_BUILD) -j $(JOBS)
	@cd $(NOGUI_BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz-build
	@scripts/fuzz-smoke.sh $(FUZZ_BUILD)

fuzz-build:
	@scripts/install-deps.sh build fuzz
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABLORA_TESTS=OFF -DTABLORA_GUI=OFF -DTABLORA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	@mkdir -p fuzz-corpus/$(FUZZ_TARGET) fuzz-artifacts
	@$(FUZZ_BUILD)/fuzz/$(FUZZ_TARGET)_fuzz fuzz-corpus/$(FUZZ_TARGET) fuzz/seeds/$(subst _file,,$(FUZZ_TARGET)) \
		-max_total_time=$(FUZZ_SECONDS) -artifact_prefix=fuzz-artifacts/$(FUZZ_TARGET)- -print_final_stats=1

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(NOGUI_BUILD)
