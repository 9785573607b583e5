# Lumivu: `make run` starts the viewer on the bundled samples, `make test`
# builds and runs every test. Both install missing Debian packages first.

BUILD      ?= build
SAN_BUILD  ?= build-san
CMAKE_ARGS ?=
# Seconds each fuzz harness runs during `make test`.
FUZZ_SECONDS ?= 20

.PHONY: all deps configure build run test test-main test-sanitize bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	    echo "Lumivu is a desktop program and needs a graphical session (X11 or Wayland)." >&2; \
	    echo "No display was found. To try it without one, start it under a virtual X server:" >&2; \
	    echo "    xvfb-run -a make run" >&2; \
	    exit 1; \
	fi
	$(BUILD)/bin/Lumivu -Open $(BUILD)/share/lumivu/samples/*

# The sanitizer build: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# the parts that need no window system, and the fuzz harnesses.
$(SAN_BUILD)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DLUMIVU_SANITIZE=ON -DLUMIVU_FUZZ=ON -DLUMIVU_GUI=OFF -DLUMIVU_BENCH=OFF \
	    -DLUMIVU_FUZZ_SECONDS=$(FUZZ_SECONDS) $(CMAKE_ARGS)

# intercept_tls_get_addr=0: clang 14's runtime misreads glibc 2.36's dynamic
# TLS blocks once an image plugin with thread-local data is loaded (it logs a
# bogus range such as 0x1484-0x800002586), and its leak check then crashes
# scanning that range after every test has passed.
test-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(SAN_BUILD) --output-on-failure -j2 --timeout 900

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

test: deps
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory test-main

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
