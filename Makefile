# The two commands of the README, and a few helpers.
#   make run     install what is missing, build, start the program
#   make test    install what is missing, build with sanitizers, run every test
#   make check   the gates CI runs after make test: formatting, a build and
#                test run without the GUI, and a short run of every fuzzer
#   make bench   benchmarks (optimised build)
#   make fuzz    run every fuzzer for FUZZ_SECONDS each (default 60), keeping its corpus in fuzz-corpus/
#   make deb     a Debian package (tablora_VERSION_ARCH.deb) in the top folder

BUILD       ?= build
TEST_BUILD  ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
NOGUI_BUILD ?= build-nogui
DEB_BUILD   ?= build-deb
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)

.PHONY: all deps build run test check bench fuzz fuzz-build deb clean

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
	@FUZZ_SMOKE_SECONDS=$(FUZZ_SECONDS) scripts/fuzz-smoke.sh $(FUZZ_BUILD) fuzz-corpus

# The package is built with Debian's hardening flags (fortify, stack protector,
# read-only relocations bound at start) and must pass lintian.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags
deb:
	@scripts/install-deps.sh build gui deb
	@cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABLORA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) --get CPPFLAGS) $$($(DEB_FLAGS) --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) --get LDFLAGS)" >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS)
	@cd $(DEB_BUILD) && cpack -G DEB >/dev/null
	@rm -rf $(DEB_BUILD)/check && dpkg-deb -x $(DEB_BUILD)/tablora_*.deb $(DEB_BUILD)/check
	@desktop-file-validate $(DEB_BUILD)/check/usr/share/applications/*.desktop
	@appstreamcli validate --no-net $(DEB_BUILD)/check/usr/share/metainfo/*.metainfo.xml
	@lintian --pedantic --fail-on error,warning $(DEB_BUILD)/tablora_*.deb
	@rm -f tablora_*.deb && cp $(DEB_BUILD)/tablora_*.deb .
	@ls tablora_*.deb

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(NOGUI_BUILD) $(DEB_BUILD)
