# Tallimo: set-up, build, test, benchmarks and fuzzing on Debian 12.
# Every target installs what is missing first, so a fresh machine needs nothing else.

JOBS    ?= $(shell nproc)
SECONDS ?= 60
CMAKE   := cmake
PACKAGES := build-essential cmake clang libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools \
            libgl-dev libjpeg62-turbo-dev libbenchmark-dev fonts-liberation \
            qt6-translations-l10n

.PHONY: all deps build run test test-plain test-asan bench fuzz clean

all: build

# Installs the Debian packages that are not there yet (as root, or through sudo).
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

build: deps
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_TESTS=OFF
	$(CMAKE) --build build --target tallimo -j $(JOBS)

run: build
	./build/Tallimo/tallimo

test: test-plain test-asan

test-plain: deps
	$(CMAKE) -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_TESTS=ON
	$(CMAKE) --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_TESTS=ON -DTALLIMO_SANITIZE=ON
	$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

bench: deps
	$(CMAKE) -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTALLIMO_TESTS=OFF -DTALLIMO_BENCH=ON
	$(CMAKE) --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

fuzz: deps
	CC=clang CXX=clang++ $(CMAKE) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_FUZZ=ON
	$(CMAKE) --build build-fuzz -j $(JOBS)
	@for f in build-fuzz/fuzz/fuzz_*; do [ -f "$$f" ] && [ -x "$$f" ] || continue; n=$$(basename $$f); \
	  mkdir -p build-fuzz/corpus/$$n; \
	  echo "== $$n for $(SECONDS) s"; \
	  QT_QPA_PLATFORM=offscreen $$f -max_total_time=$(SECONDS) -timeout=10 -rss_limit_mb=4096 \
	    -artifact_prefix=build-fuzz/ build-fuzz/corpus/$$n fuzz/corpus/$$n || exit 1; done
	@echo "== kill_save for $(SECONDS) s"
	build-fuzz/kill/kill_save --large --seconds $(SECONDS)

clean:
	rm -rf build build-test build-asan build-bench build-fuzz
