# SPDX-License-Identifier: GPL-3.0-or-later
# What a newcomer types. Each target installs what it needs first (make deps).
BUILD      ?= build
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIBODEX_WERROR=ON

DEB_PACKAGES = g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n \
  libgl-dev libxcb1-dev clang libclang-rt-14-dev socat gammu xvfb xauth \
  desktop-file-utils appstream xdg-utils groff-base dpkg-dev file openbox xdotool x11-utils x11-apps \
  poppler-utils lintian libpcsclite-dev pcscd vsmartcard-vpcd pcsc-tools

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PREFIX     ?= /usr/local

.PHONY: all deps build test demo bench fuzz test-sanitize test-asan test-tsan screenshots install package clean

all: build

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@scripts/demo $(BUILD)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS) --target ribodex_bench ribodex-sim ribodex-cli app_model_bench app_output_bench app_new_entry_bench
	build-bench/bench/ribodex_bench
	QT_QPA_PLATFORM=offscreen build-bench/tests/app/app_model_bench
	QT_QPA_PLATFORM=offscreen build-bench/tests/app/app_output_bench
	QT_QPA_PLATFORM=offscreen build-bench/bench/app_new_entry_bench

FUZZ_SECONDS ?= 60
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DRIBODEX_BUILD_APP=OFF -DRIBODEX_BUILD_TESTS=OFF -DRIBODEX_BUILD_BENCH=OFF -DRIBODEX_BUILD_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	scripts/run-fuzzers build-fuzz/fuzz $(FUZZ_SECONDS)

test-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRIBODEX_SANITIZE=address,undefined -DRIBODEX_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Without the window: Debian's Qt is not built for ThreadSanitizer, which then reports Qt's
# own pooled threads as racing (seen in QtGui's image work). The window starts no thread of
# its own; the threads it uses (receiver, pty runner) are all exercised by these tests.
test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DRIBODEX_SANITIZE=thread -DRIBODEX_BUILD_BENCH=OFF -DRIBODEX_BUILD_APP=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS)

test-sanitize: test-asan test-tsan

screenshots: build
	scripts/screenshots $(BUILD)

# DESTDIR is honoured as usual (make install PREFIX=/usr DESTDIR=/tmp/stage).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in $(BUILD) (ribodex_VERSION_ARCH.deb); install it with apt install ./FILE.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) build-bench build-fuzz build-asan build-tsan
