# make run   - install what is missing, build, start the program on the demo archive
# make test  - install what is missing, build with sanitizers, run every test headless
# make bench - build optimised and run the benchmarks
# make fuzz  - build the libFuzzer harnesses with clang and run each FUZZ_SECONDS (60)
# make package - the Debian package and the self-update package, in build/release/package
# make catalog - build and start the catalogue server on 127.0.0.1:8047

RUN_DIR   := build/release
TEST_DIR  := build/test
PROGRAM   := $(RUN_DIR)/bin/Vetrilo_4d47
CLI       := $(RUN_DIR)/bin/vetrilo-cli
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_DIR  := build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test bench fuzz catalog deps build-release build-test package clean

deps:
	@./scripts/install-deps.sh

build-release: deps
	@test -f $(RUN_DIR)/build.ninja || cmake -S . -B $(RUN_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVETRILO_TESTS=OFF -DVETRILO_BENCH=OFF >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS)

build-test: deps
	@test -f $(TEST_DIR)/build.ninja || cmake -S . -B $(TEST_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DVETRILO_SANITIZE=ON \
	  -DVETRILO_WERROR=ON -DVETRILO_BENCH=OFF >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)

run: build-release
	@test -f $(RUN_DIR)/bin/Vetrilo_4d47.ldr || cp data/demo/Vetrilo_4d47.ldr $(RUN_DIR)/bin/
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: run it as 'xvfb-run -a $(PROGRAM)', or use '$(CLI) --help' instead."; \
	else \
	  $(PROGRAM); \
	fi

test: build-test
	@cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build-release
	@cmake -S . -B $(RUN_DIR) -DVETRILO_BENCH=ON >/dev/null
	@cmake --build $(RUN_DIR) -j $(JOBS) --target vetrilo_bench
	@$(RUN_DIR)/bench/vetrilo_bench

fuzz:
	@./scripts/install-fuzz-deps.sh
	@test -f $(FUZZ_DIR)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVETRILO_FUZZ=ON -DVETRILO_TESTS=OFF \
	  -DVETRILO_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target vetrilo_fuzzers
	@./scripts/run-fuzzers.sh $(FUZZ_DIR)/fuzz $(FUZZ_SECONDS)
package: build-release
	@cd $(RUN_DIR) && cpack -G DEB
	@cmake --build $(RUN_DIR) --target update-package

CATALOG_DB := data/catalog/catalog.db

# The database is made on the first start, with the sample systems.
catalog: build-release
	@mkdir -p $(dir $(CATALOG_DB))
	@$(RUN_DIR)/bin/vetrilo-catalog --db $(CATALOG_DB) --listen 127.0.0.1:8047 \
	  --seed data/catalog/samples

clean:
	rm -rf build
