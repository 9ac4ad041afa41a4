# The two commands a newcomer runs: `make run` and `make test`.
BUILD_DIR ?= build
DB ?= $(HOME)/.local/share/qor-erp/demo.db
JOBS ?= $(shell nproc)

.PHONY: all run test package clean

all: run

# Only what running needs: the shell, the component library and what they
# link. A build folder made here leaves the tests and benchmarks out until
# `make test` asks for them.
run:
	@echo "== Installing what running needs (when missing)"
	./scripts/install-deps.sh run
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=OFF
	@echo "== Building the program with $(JOBS) jobs (the tests are built by make test)"
	cmake --build $(BUILD_DIR) --target qor-erp --parallel $(JOBS)
	@echo "== Starting the program on the demo company"
	exec ./scripts/run-demo.sh $(BUILD_DIR) "$(DB)"

test:
	@echo "== Installing what the tests need (when missing)"
	./scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_BUILD_TESTS=ON -DQOR_BUILD_BENCH=ON
	@echo "== Building the program, the tests and the benchmarks with $(JOBS) jobs"
	cmake --build $(BUILD_DIR) --parallel $(JOBS)
	./scripts/run-tests.sh $(BUILD_DIR)

# The Debian package of the shell and its component library, in $(BUILD_DIR).
package:
	./scripts/install-deps.sh package
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=OFF
	cmake --build $(BUILD_DIR) --target package --parallel $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
