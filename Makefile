# Two commands matter: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test bench run install package sanitize fuzz clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen ./scripts/run-benchmarks.sh $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/Quorvane

# DESTDIR, when set, puts the tree below it (for packaging).
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the build, beside it in $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The programs and the whole suite built with the address and
# undefined-behaviour sanitizers, and the suite run; fails on any report of
# theirs, also one from a program a test starts.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	./scripts/run-sanitized-tests.sh $(SANITIZE_DIR) $(JOBS)

# The readers of data files, the settings file and antenna decks under
# libFuzzer with the address and undefined-behaviour sanitizers, each for
# FUZZ_SECONDS; built with clang and without Qt. Not part of `make test`.
fuzz:
	./scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	./scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
