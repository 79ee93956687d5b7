# Everything a fresh Debian 12 machine needs: `make run` plays, `make test` checks.
BUILD    ?= build
JOBS     ?= -j2
PACKAGES := cmake make g++ qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core \
            clang libclang-rt-14-dev clang-format \
            dpkg-dev file appstream desktop-file-utils groff-base lintian
# The Windows build: cross compiler, Wine and a virtual display to test it, NSIS to package it.
# Without recommends, which for Wine would pull in far more.
WIN_PACKAGES := cmake make g++-mingw-w64-x86-64-posix googletest wine64 wine fonts-wine nsis \
                xvfb xdotool x11-utils imagemagick
WIN_BUILD    ?= $(BUILD)-windows
# The browser's build: Emscripten from Debian (no SDK download), Chromium and Firefox to test the page, and
# npm for the tests' own packages (from Debian unless a Node.js from elsewhere brought one).
WEB_PACKAGES := cmake make emscripten chromium chromium-driver python3-selenium firefox-esr \
                $(if $(shell command -v npm),,npm)
WEB_BUILD    ?= $(BUILD)-web
WEB_PORT     ?= 8000

# The whole suite a second time under AddressSanitizer and UBSan; the first finding fails it.
SANITIZE := -O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SAN_ENV  := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1 \
            UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Seconds per fuzzer: `make fuzz` runs each this long, `make test` for TEST_FUZZ_TIME.
FUZZ_TIME      ?= 180
TEST_FUZZ_TIME ?= 20

.PHONY: run test format format-check package sanitize fuzz bench deps configure build windows windows-deps \
        web serve-web web-deps bench-web audit-web bench-solve

run: configure
	cmake --build $(BUILD) $(JOBS) --target tilzo
	$(BUILD)/tilzo

# The suite includes the Windows build's checks under Wine (build/windows/), whose Wine prefix is
# made while the code compiles, and the browser's (build/web/).
test: format-check windows-deps web-deps configure
	@mkdir -p $(BUILD)/windows && tools/wine-run.sh --default-prefix $(abspath $(BUILD))/windows/wineprefix \
	    cmd /c exit 0 </dev/null >$(BUILD)/wineprefix.log 2>&1 &
	cmake --build $(BUILD) $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz FUZZ_TIME=$(TEST_FUZZ_TIME)

# One format for all C++ (.clang-format): `make format` applies it, `make test` names each file that
# differs from it.
CXX_FILES = $(shell git ls-files '*.cpp' '*.h')
format: deps
	clang-format -i $(CXX_FILES)
format-check: deps
	@echo "clang-format --dry-run -Werror: $(words $(CXX_FILES)) files"
	@clang-format --dry-run -Werror $(CXX_FILES)

# tilzo.exe, build-windows/tilzo-<version>-windows.zip and build-windows/tilzo-<version>-setup.exe,
# cross-built.
windows: windows-deps
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DTILZO_TESTS=OFF
	cmake --build $(WIN_BUILD) $(JOBS)

# The page, ready for any static host: every file it needs is in build-web/site/.
web: web-deps
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DTILZO_TESTS=OFF
	cmake --build $(WEB_BUILD) $(JOBS)
	@echo "The page is in $(WEB_BUILD)/site/"

# The page on this machine only; a service worker needs localhost or https.
serve-web: web
	@echo "Tilzo is at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops it)"
	@/usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)/site

# The page's budgets in headless Chromium: size, start-up, press to frame. BENCH_WEB_ARGS: runs and
# device pixel ratio, e.g. "20 2".
BENCH_WEB_ARGS ?=
bench-web: web
	/usr/bin/python3 bench/web_bench.py $(WEB_BUILD)/site $(BENCH_WEB_ARGS)

# Lighthouse (pinned in bench/web/) on the built page, served here with compression, in its mobile
# and desktop presets: a benchmark, not a test.
audit-web: web
	cd bench/web && npm ci --no-audit --no-fund --loglevel=error
	node bench/web/audit.mjs $(WEB_BUILD)/site

# The Debian package, build/tilzo_<version>_<arch>.deb; `lintian build/tilzo_*.deb` checks it.
package: build
	cd $(BUILD) && cpack

build: configure
	cmake --build $(BUILD) $(JOBS)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

sanitize: deps
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$(SANITIZE)" -DTILZO_WINDOWS_CHECKS=OFF \
	    -DTILZO_WEB_CHECKS=OFF
	cmake --build $(BUILD)-asan $(JOBS)
	cd $(BUILD)-asan && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)

# Each fuzzer starts from its committed seeds and keeps what it finds in its build
# folder; a failing input is left there as <fuzzer>-crash-*. The log is shown on failure.
fuzz_run = mkdir -p $(BUILD)-fuzz/corpus/$(1) && \
	echo "$(1): $(FUZZ_TIME) s" && \
	{ $(BUILD)-fuzz/fuzz/$(1) -max_total_time=$(FUZZ_TIME) -max_len=$(2) -print_final_stats=1 \
	      -artifact_prefix=$(BUILD)-fuzz/$(1)- $(BUILD)-fuzz/corpus/$(1) fuzz/corpus/$(1) \
	      >$(BUILD)-fuzz/$(1).log 2>&1 || { tail -n 60 $(BUILD)-fuzz/$(1).log; exit 1; }; } && \
	grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' $(BUILD)-fuzz/$(1).log

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DTILZO_TESTS=OFF -DTILZO_FUZZ=ON
	cmake --build $(BUILD)-fuzz $(JOBS) --target fuzz_scorefile fuzz_rules fuzz_keptgame fuzz_boards
	@$(call fuzz_run,fuzz_scorefile,512)
	@$(call fuzz_run,fuzz_rules,1024)
	@$(call fuzz_run,fuzz_keptgame,1024)
	@$(call fuzz_run,fuzz_boards,1024)

# Start-up is also timed on an X display: without one, on a virtual one when xvfb-run is there.
# BENCH_ARGS go to Google Benchmark, e.g. --benchmark_repetitions=5 --benchmark_filter=StartUp.
BENCH_ARGS ?=
bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTILZO_TESTS=OFF -DTILZO_BENCH=ON
	cmake --build $(BUILD)-bench $(JOBS) --target tilzo_bench
	@if [ -z "$$DISPLAY" ] && command -v xvfb-run >/dev/null; then \
	    xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)-bench/bench/tilzo_bench $(BENCH_ARGS); \
	else \
	    $(BUILD)-bench/bench/tilzo_bench $(BENCH_ARGS); \
	fi

# tilzo-solve on 20 seeded random boards of each kind at 1, 10 and 60 s a board (about 47 minutes on two
# cores). BENCH_SOLVE_ARGS picks a part, e.g. "--levels 1,10 --kinds standard --boards 5".
BENCH_SOLVE_ARGS ?=
bench-solve: deps
	cmake -S . -B $(BUILD)-bench-solve -DCMAKE_BUILD_TYPE=Release -DTILZO_TESTS=OFF
	cmake --build $(BUILD)-bench-solve $(JOBS) --target tilzo-solve
	/usr/bin/python3 bench/solve_bench.py $(BUILD)-bench-solve/tilzo-solve $(BENCH_SOLVE_ARGS)

# Installs only what is missing, as root or through sudo; costs a few dpkg look-ups otherwise.
install_missing = @missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${db:Status-Status}' $$p 2>/dev/null | grep -qx installed || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing Debian packages:" $$missing; \
	    if [ "$$(id -u)" -eq 0 ]; then sudo=; else sudo=sudo; fi; \
	    $$sudo apt-get update -q && \
	    $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $(2) $$missing; \
	fi

deps:
	$(call install_missing,$(PACKAGES))

windows-deps:
	$(call install_missing,$(WIN_PACKAGES),--no-install-recommends)

web-deps:
	$(call install_missing,$(WEB_PACKAGES),--no-install-recommends)
