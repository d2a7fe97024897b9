# The two commands of the README, and a few helpers.
#   make run     install what is missing, build, start the program
#   make test    install what is missing, build with sanitizers, run every test
#   make bench   benchmarks (optimised build)
#   make fuzz    run the season file and match text fuzzers for FUZZ_SECONDS each (default 60)
#   make deb     a Debian package (tablora_VERSION_ARCH.deb) in the top folder

BUILD       ?= build
TEST_BUILD  ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
DEB_BUILD   ?= build-deb
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)

.PHONY: all deps build run test bench fuzz deb clean

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
	@cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABLORA_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	@cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh build gui bench
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABLORA_TESTS=OFF -DTABLORA_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/*_bench; do $$b --benchmark_min_time=0.2 || exit 1; done

fuzz:
	@scripts/install-deps.sh build fuzz
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABLORA_TESTS=OFF -DTABLORA_GUI=OFF -DTABLORA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p fuzz-corpus/season fuzz-corpus/matchtext
	@$(FUZZ_BUILD)/fuzz/season_file_fuzz fuzz-corpus/season fuzz/seeds/season -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1
	@$(FUZZ_BUILD)/fuzz/match_text_fuzz fuzz-corpus/matchtext fuzz/seeds/matchtext -max_len=16384 -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1

deb:
	@scripts/install-deps.sh build gui deb
	@cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABLORA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS)
	@cd $(DEB_BUILD) && cpack -G DEB >/dev/null
	@rm -rf $(DEB_BUILD)/check && dpkg-deb -x $(DEB_BUILD)/tablora_*.deb $(DEB_BUILD)/check
	@desktop-file-validate $(DEB_BUILD)/check/usr/share/applications/*.desktop
	@appstreamcli validate --no-net $(DEB_BUILD)/check/usr/share/metainfo/*.metainfo.xml
	@rm -f tablora_*.deb && cp $(DEB_BUILD)/tablora_*.deb .
	@ls tablora_*.deb

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
