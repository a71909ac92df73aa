# make test  - install what is missing, build, run every test (plain and sanitizer builds)
# make run   - install, build, start Telvor on a simulated line of drives
# make bench - line-speed benchmarks against the simulator
# make fuzz  - run each fuzz target for a few minutes

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 180

.PHONY: deps build build-asan test test-plain test-asan run bench fuzz clean

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELVOR_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTELVOR_SANITIZE=ON -DTELVOR_WERROR=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test-plain: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build-asan
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: test-plain test-asan

run: build
	@./scripts/run-demo.sh $(BUILD)

bench: build
	@./scripts/bench.sh $(BUILD)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTELVOR_FUZZ=ON -DTELVOR_GUI=OFF -DTELVOR_TESTS=OFF -DTELVOR_WERROR=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@./scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
