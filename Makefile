# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD        ?= build
BUILD_ASAN   ?= build-sanitize
BUILD_FUZZ   ?= build-fuzz
BUILD_BENCH  ?= build-bench
JOBS         ?= $(shell nproc)
APP          ?= sorlith
FILE         ?= examples/example.tlk
FUZZ_SECONDS ?= 20

PACKAGES = cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
           libbenchmark-dev clang libclang-rt-14-dev fonts-dejavu-core

.PHONY: deps configure build run test test-sanitize fuzz-smoke bench clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
ifeq ($(APP),quennet)
	$(BUILD)/configeditor/Quennet
else
	$(BUILD)/talktable/Sorlith $(FILE)
endif

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMT_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

fuzz-smoke: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMT_BUILD_FUZZ=ON -DMT_BUILD_GUI=OFF -DMT_BUILD_TESTS=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for target in $(BUILD_FUZZ)/fuzz/fuzz_*; do \
	  [ -x "$$target" ] || continue; \
	  name=$$(basename $$target); corpus=$(BUILD_FUZZ)/corpus/$$name; \
	  mkdir -p $$corpus; cp -r fuzz/corpus/$$name/. $$corpus/ 2>/dev/null || true; \
	  echo "== $$name"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$corpus || exit 1; \
	done

bench: deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DMT_BUILD_BENCH=ON -DMT_BUILD_TESTS=OFF
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for target in $(BUILD_BENCH)/bench/bench_*; do [ -x "$$target" ] || continue; echo "== $$(basename $$target)"; $$target || exit 1; done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_BENCH)
