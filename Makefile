# The everyday commands. Each one first makes sure the Debian packages are there.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
RELEASE_DIR := build/release
TEST_DIR := build/test
FUZZ_DIR := build/fuzz
BENCH_DIR := build/bench
XDG_DIR := $(CURDIR)/build/xdg-runtime

.PHONY: deps run release test check-tests fuzz bench screenshots package check-package format clean

deps:
	@scripts/install-deps

release: deps
	@cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DTALLYRO_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

run: release
	$(RELEASE_DIR)/tallyro

# The test tree is built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	@cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DTALLYRO_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@mkdir -p $(XDG_DIR) && chmod 700 $(XDG_DIR)
	cd $(TEST_DIR) && XDG_RUNTIME_DIR=$(XDG_DIR) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20
	@$(MAKE) --no-print-directory check-package

fuzz: deps
	@CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYRO_CORE_ONLY=ON -DTALLYRO_TESTS=OFF -DTALLYRO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTALLYRO_TESTS=OFF -DTALLYRO_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@scripts/run-benchmarks $(BENCH_DIR)
	@scripts/measure-startup $(BENCH_DIR)/tallyro examples/ROOM5.grd

# A Debian package of the release build, checked and test-installed.
package: release
	@scripts/build-package $(RELEASE_DIR)

# The package's validators and an install into a scratch root.
check-package: release
	@scripts/check-package $(RELEASE_DIR)

screenshots: release
	@scripts/screenshots $(RELEASE_DIR)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
