# make test  - install what is missing, build, run every test (plain, address and thread sanitizer builds)
# make run   - install, build, start Telvor on a simulated line of drives
# make run-pda - the same for TelvorPDA, the handheld edition
# make bench - line-speed benchmarks against the simulator
# make fuzz  - run each fuzz target for a few minutes
# make package - the Debian package telvor_<version>_<arch>.deb in build-package/, checked by lintian

BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 180

.PHONY: deps build build-asan build-tsan test test-plain test-asan test-tsan run run-pda bench fuzz package clean

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

# The handheld's serial line shares its receive buffer with a read thread: its tests
# also run under ThreadSanitizer, in a small build of their own.
build-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTELVOR_GUI=OFF -DTELVOR_THREAD_SANITIZE=ON \
	  -DTELVOR_WERROR=ON >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target pda_tests

test-tsan: build-tsan
	@TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/tests/pda/pda_tests

test: test-plain test-asan test-tsan

run: build
	@./scripts/run-demo.sh $(BUILD)

run-pda: build
	@TELVOR_DEMO_PROGRAM=pda/qt/TelvorPDA ./scripts/run-demo.sh $(BUILD)

bench: build
	@./scripts/bench.sh $(BUILD)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTELVOR_FUZZ=ON -DTELVOR_GUI=OFF -DTELVOR_TESTS=OFF -DTELVOR_WERROR=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@./scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Built with all of Debian's hardening flags; CPack strips the programs.
package: deps
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTELVOR_TESTS=OFF -DTELVOR_WERROR=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS) -- --quiet
	@rm -f $(PACKAGE_BUILD)/telvor_*.deb
	@cd $(PACKAGE_BUILD) && cpack
	@lintian --allow-root --quiet --fail-on error,warning $(PACKAGE_BUILD)/telvor_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
