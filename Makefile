# The two commands a newcomer needs: `make test` and `make run`.
# Both install the Debian packages they need (as root) when they are missing.

BUILD    ?= build
WINBUILD ?= $(BUILD)/windows
JOBS     ?= $(shell nproc)
# What building and running the Linux program needs (`make run`): the
# compiler, CMake, Qt, libusb, umockdev for the demo printer, the icon's
# renderer and vantrel-cli's two header libraries.
RUN_PACKAGES := cmake g++ make pkg-config libusb-1.0-0-dev libumockdev-dev umockdev \
                qt6-base-dev libxcb1-dev librsvg2-bin fonts-dejavu-core \
                libcli11-dev nlohmann-json3-dev
# What the tests add (`make test`): googletest, the sanitizer build's clang,
# the Windows build with Wine, the desktop tests' X server, tray and tools,
# a CJK font, the checks of vantrel-cli's output and of its alerting
# examples (python3-yaml); and the packages' tools:
# the Windows installer (wixl, msitools), the portable zip, the checks of
# the Debian package and its desktop files; the format and clang-tidy checks;
# the monitoring systems that load the integration files (icinga2-bin,
# nagios4-core, zabbix-agent: about 40 MB, no daemon started by a test), the
# YAML parser that reads the Zabbix template (python3-yaml), and net-snmp's
# agent and tools (snmpd, snmp), which the SNMP test runs on a private port.
TEST_PACKAGES := googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev clang-format clang-tidy \
                 binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix wine wine64 fonts-wine \
                 xvfb xauth trayer xdotool imagemagick x11-utils procps fonts-wqy-microhei \
                 dbus-daemon python3-dbus python3-gi at-spi2-core python3-pyatspi \
                 python3-prometheus-client python3-jsonschema python3-yaml prometheus \
                 prometheus-node-exporter wixl msitools zip unzip lintian appstream desktop-file-utils \
                 icinga2-bin nagios4-core zabbix-agent snmpd snmp
PACKAGES := $(RUN_PACKAGES) $(TEST_PACKAGES)
# `make run` and what it builds install only the first list.
run: NEEDED_PACKAGES = $(RUN_PACKAGES)
NEEDED_PACKAGES = $(PACKAGES)
DIST     ?= $(BUILD)/dist
VERSION  := $(shell sed -n 's/^project.Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

.PHONY: all deps configure build windows test style asan-build sanitizers fuzz dist run clean

# The second build: clang with AddressSanitizer and UndefinedBehaviorSanitizer
# (any finding ends the program with an error). It also builds the fuzz
# targets (fuzz/), whose seed corpora its `unit` tests replay.
ASAN_BUILD   ?= $(BUILD)/asan
# fuzzer-no-link: coverage for the fuzz targets through the whole program.
SANITIZE     := -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all \
                -fno-omit-frame-pointer
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 1

all: build

deps:
	@missing=$$(for p in $(sort $(NEEDED_PACKAGES)); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  if [ "$$(id -u)" != 0 ]; then echo "Run as root (or install: $$missing)"; exit 1; fi; \
	  DEBIAN_FRONTEND=noninteractive apt-get -qq -o DPkg::Lock::Timeout=600 update >/dev/null && \
	  DEBIAN_FRONTEND=noninteractive apt-get -qq -o DPkg::Lock::Timeout=600 install -y --no-install-recommends $$missing >/dev/null; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The Windows program, cross-compiled with mingw-w64: $(WINBUILD)/bin/vantrel.exe.
# Build-time tools come from the native build.
windows: build
	@cmake -S . -B $(WINBUILD) -DCMAKE_TOOLCHAIN_FILE="$(CURDIR)/cmake/mingw-w64-x86_64.cmake" \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DVANTREL_HOST_BUILD="$(abspath $(BUILD))" >/dev/null
	@cmake --build $(WINBUILD) -j $(JOBS)

# Every test: the native build's, the source's format and clang-tidy's
# checks, then the Windows build's tests under Wine, which spend most of
# their time waiting on it, while the sanitizer build compiles; then the
# sanitizer build's. No test is tried twice: one that fails, fails the run.
test: build windows
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(style_checks)
	@(cd $(WINBUILD) && ctest --output-on-failure -j $(JOBS) >wine-tests.log 2>&1; \
	  echo $$? >wine-tests.status) & \
	built=0; $(MAKE) --no-print-directory asan-build || built=$$?; wait; \
	cat $(WINBUILD)/wine-tests.log; \
	[ "$$(cat $(WINBUILD)/wine-tests.status)" = 0 ] && [ $$built = 0 ]
	@$(run_sanitizer_tests)

# The source's format and clang-tidy's checks on the native build's files,
# then on the files only the Windows build compiles and the Windows branches
# of those both compile, parsed as mingw-w64 sees them.
define style_checks
@tests/style/source_format.sh "$(CURDIR)"
@tests/style/source_tidy.sh "$(CURDIR)" $(BUILD) $(JOBS)
@tests/style/source_tidy.sh "$(CURDIR)" $(WINBUILD) $(JOBS) $(BUILD)
endef

style: build windows
	$(style_checks)

# The sanitizer build (no Qt: its tests are the in-process and USB ones),
# with assertions on (no NDEBUG): an unknown control or string id stops it.
asan-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" \
	  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_C_FLAGS="$(SANITIZE)" \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The in-process and USB tests, and the corpus replays, under the sanitizers.
# The sanitizers watch the in-process and USB tests, the stories and the fuzz
# corpora; not the tests that spend their time in Python or waiting on a
# slow printer (vantrel-cli's command tests, its packages and monitoring
# files, the README's commands): those run in the native build.
SANITIZER_SKIP := ^(cli_commands|cli_severity_table|cli_export_paths|debian_.*|integration_.*|metrics_through_node_exporter|snmp_through_snmpd|alert_rules|readme_commands|bash_completion)$$|^SlowPrinterTest\.

run_sanitizer_tests = cd $(ASAN_BUILD) && UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L 'unit|usb' -E '$(SANITIZER_SKIP)'

sanitizers: asan-build
	@$(run_sanitizer_tests)

# Each fuzz target for FUZZ_SECONDS from its seed corpus (grown in a copy, so
# the tree's corpora stay small); prints executions and findings per target.
fuzz: asan-build
	@"$(CURDIR)/fuzz/run_fuzzers.sh" $(ASAN_BUILD)/bin $(FUZZ_SECONDS) $(ASAN_BUILD)/fuzz/corpus \
	  $(ASAN_BUILD)/fuzz-runs $(FUZZ_JOBS)

# The downloads: the Debian package, the Windows installer and the portable
# Windows program, with their checksums.
dist: windows
	@rm -rf $(DIST) $(BUILD)/cpack && mkdir -p $(DIST)
	@cd $(BUILD) && cpack -G DEB -B "$(abspath $(BUILD))/cpack" >cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@cp $(BUILD)/cpack/vantrel_$(VERSION)_amd64.deb $(BUILD)/cpack/vantrel-cli_$(VERSION)_amd64.deb \
	  $(WINBUILD)/dist/vantrel-$(VERSION)-x64.msi $(WINBUILD)/dist/vantrel-$(VERSION)-win64.zip $(DIST)/
	@cd $(DIST) && sha256sum vantrel_$(VERSION)_amd64.deb vantrel-cli_$(VERSION)_amd64.deb \
	  vantrel-$(VERSION)-x64.msi vantrel-$(VERSION)-win64.zip >SHA256SUMS
	@ls -l $(DIST)

# The front end on the simulated printer, plugged in as an emulated USB device.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: there is no display (DISPLAY and WAYLAND_DISPLAY are empty)."; \
	  echo "Run it on a virtual X server (apt-get install xvfb xauth):"; \
	  echo; \
	  echo '    xvfb-run -a -s "-screen 0 1280x800x24" make run'; \
	  echo; \
	  echo "Vantrel lives in the notification area; with none it opens its window at"; \
	  echo "start. To see its icon, start a notification area host such as trayer"; \
	  echo "(apt-get install trayer) beside it:"; \
	  echo; \
	  echo "    xvfb-run -a -s \"-screen 0 1280x800x24\" sh -c 'trayer --edge top --align right --widthtype request & make run'"; \
	  exit 0; \
	fi; \
	for program in vantrel-demo-printer vantrel; do \
	  if [ ! -x $(BUILD)/bin/$$program ]; then \
	    echo "make run: $(BUILD)/bin/$$program was not built (see the cmake output above)"; exit 1; \
	  fi; \
	done; \
	exec $(BUILD)/bin/vantrel-demo-printer $(BUILD)/bin/vantrel

clean:
	rm -rf $(BUILD)
