# The two commands a newcomer needs: `make test` and `make run`.
# Both install the Debian packages they need (as root) when they are missing.

BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config googletest libgtest-dev libgmock-dev \
            libusb-1.0-0-dev libumockdev-dev umockdev

.PHONY: all deps configure build test run clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  if [ "$$(id -u)" != 0 ]; then echo "Run as root (or install: $$missing)"; exit 1; fi; \
	  DEBIAN_FRONTEND=noninteractive apt-get -qq update >/dev/null && \
	  DEBIAN_FRONTEND=noninteractive apt-get -qq install -y --no-install-recommends $$missing >/dev/null; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@echo "The desktop front end is not built yet; playing a user's session headless:"
	@$(BUILD)/bin/vantrel-scenario tests/scenarios/panel_status_and_commands.scn

clean:
	rm -rf $(BUILD)
