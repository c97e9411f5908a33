# ZRK: top-level driver. `make run` starts the program, `make test` builds and runs every test,
# `make bench` runs the solver and library benchmarks. Missing Debian packages are installed on the way.

RELEASE_DIR := build/release
TEST_DIR    := build/test
JOBS        ?= $(shell nproc)
# The first start opens the first task of the sample library.
SAMPLE      := samples/ZRKTasks/001 Скользящие блоки/001 Хуа Жун Дао.zrk

.PHONY: all build deps run test bench clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build
	tools/run.sh $(RELEASE_DIR) "$(SAMPLE)"

# Tests run in a separate tree built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZRK_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(RELEASE_DIR)/bench/zrk-bench
	$(RELEASE_DIR)/bench/library/zrk-bench-library

clean:
	rm -rf build
