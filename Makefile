# Thin wrapper over CMake. Each target first makes sure the packages it needs are
# installed (tools/require-packages.sh: nothing to do when they are; installs the missing
# ones as root; otherwise names them). CMAKE_ARGS go to every CMake configuration
# (.ci/run sets warnings as errors there).
BUILD        ?= build
BUILD_ASAN   ?= build-sanitize
BUILD_FUZZ   ?= build-fuzz
BUILD_BENCH  ?= build-bench
JOBS         ?= $(shell nproc)
APP          ?= sorlith
FILE         ?= examples/example.tlk
FUZZ_SECONDS ?= 20
CMAKE_ARGS   ?=
CLANG_FORMAT ?= clang-format-14

BUILD_PACKAGES  = cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
                  fonts-dejavu-core python3
FUZZ_PACKAGES   = cmake ninja-build clang libclang-rt-14-dev
BENCH_PACKAGES  = cmake ninja-build g++ libbenchmark-dev
FORMAT_PACKAGES = clang-format-14
REQUIRE         = @sh tools/require-packages.sh

# The C++ sources under version control, new ones not yet added included.
SOURCES = git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp'

.PHONY: deps configure build run test test-sanitize fuzz-smoke bench format format-check clean

deps:
	$(REQUIRE) $(sort $(BUILD_PACKAGES) $(FUZZ_PACKAGES) $(BENCH_PACKAGES) $(FORMAT_PACKAGES))

# Configured once; again only when CMAKE_ARGS are given.
configure:
	$(REQUIRE) $(BUILD_PACKAGES)
	@if [ ! -f $(BUILD)/build.ninja ] || [ -n "$(CMAKE_ARGS)" ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS); \
	fi

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

test-sanitize:
	$(REQUIRE) $(BUILD_PACKAGES)
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMT_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

# clang is chosen through CMAKE_CXX_COMPILER: CMake ignores CXX once the cache exists.
fuzz-smoke:
	$(REQUIRE) $(FUZZ_PACKAGES)
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMT_BUILD_FUZZ=ON -DMT_BUILD_GUI=OFF -DMT_BUILD_TESTS=OFF \
	  $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for target in $(BUILD_FUZZ)/fuzz/fuzz_*; do \
	  [ -x "$$target" ] || continue; \
	  name=$$(basename $$target); corpus=$(BUILD_FUZZ)/corpus/$$name; \
	  mkdir -p $$corpus; cp -r fuzz/corpus/$$name/. $$corpus/ 2>/dev/null || true; \
	  echo "== $$name"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$corpus || exit 1; \
	done

bench:
	$(REQUIRE) $(BENCH_PACKAGES)
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DMT_BUILD_BENCH=ON \
	  -DMT_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for target in $(BUILD_BENCH)/bench/bench_*; do [ -x "$$target" ] || continue; echo "== $$(basename $$target)"; $$target || exit 1; done

# Formats every C++ source with the committed .clang-format.
format:
	$(REQUIRE) $(FORMAT_PACKAGES)
	@command -v $(CLANG_FORMAT) >/dev/null || { echo "$(CLANG_FORMAT) not found"; exit 1; }
	$(SOURCES) | xargs -r $(CLANG_FORMAT) -i

# Fails, naming the files, when a source is not formatted as `make format` would.
format-check:
	$(REQUIRE) $(FORMAT_PACKAGES)
	@command -v $(CLANG_FORMAT) >/dev/null || { echo "$(CLANG_FORMAT) not found"; exit 1; }
	@[ -n "$$($(SOURCES))" ] || { echo "No sources found (not a git clone?)"; exit 1; }
	@unformatted=$$($(SOURCES) | xargs -r $(CLANG_FORMAT) --dry-run 2>&1 | \
	  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*clang-format-violations.*/\1/p' | sort -u); \
	if [ -n "$$unformatted" ]; then \
	  echo "Not formatted with $(CLANG_FORMAT):"; echo "$$unformatted" | sed 's/^/  /'; \
	  echo "Run 'make format' (or $(CLANG_FORMAT) -i FILE) and commit the result."; \
	  exit 1; \
	fi; echo "Format check: every source is formatted."

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_BENCH)
