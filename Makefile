# Everything a fresh Debian 12 machine needs: `make run` plays, `make test` checks.
BUILD    ?= build
JOBS     ?= -j2
PACKAGES := cmake make g++ qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core

.PHONY: run test bench deps configure build

run: build
	$(BUILD)/tilzo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)

build: configure
	cmake --build $(BUILD) $(JOBS)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTILZO_TESTS=OFF -DTILZO_BENCH=ON
	cmake --build $(BUILD)-bench $(JOBS) --target tilzo_bench
	$(BUILD)-bench/bench/tilzo_bench

# Installs only what is missing, as root or through sudo; costs a few dpkg look-ups otherwise.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${db:Status-Status}' $$p 2>/dev/null | grep -qx installed || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing Debian packages:" $$missing; \
	    if [ "$$(id -u)" -eq 0 ]; then sudo=; else sudo=sudo; fi; \
	    $$sudo apt-get update -q && \
	    $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
