# The two commands a newcomer runs: `make run` and `make test`.
BUILD_DIR ?= build
DB ?= $(HOME)/.local/share/qor-erp/demo.db

.PHONY: all deps build run test bench package clean

all: build

deps:
	./scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	./scripts/run-demo.sh $(BUILD_DIR) "$(DB)"

test: build
	./scripts/run-tests.sh $(BUILD_DIR)

# The Debian package of the shell and its component library, in $(BUILD_DIR).
package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR)
