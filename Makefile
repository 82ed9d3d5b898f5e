# Thin driver around CMake: two build flavours, native Linux (g++) and Windows (mingw-w64),
# whose tests run under Wine.
JOBS    ?= $(shell nproc)
BUILD   := build
NATIVE  := $(BUILD)/native
WINDOWS := $(BUILD)/windows
WERROR  ?= ON
WINE    := $(firstword $(wildcard /usr/lib/wine/wine64) wine)

export WINEPREFIX       := $(CURDIR)/$(BUILD)/wineprefix
export WINEDEBUG        := -all
export WINEDLLOVERRIDES := mscoree,mshtml=

CMAKE_COMMON := -DQUORVEL_WERROR=$(WERROR)
MAKEFLAGS    += --no-print-directory

.PHONY: all native windows deps test test-native test-windows demo bench clean

all: native windows

deps:
	@scripts/install-deps.sh

native:
	@cmake -S . -B $(NATIVE) $(CMAKE_COMMON) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

windows:
	@cmake -S . -B $(WINDOWS) $(CMAKE_COMMON) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw64.cmake -DQUORVEL_BENCH=OFF >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)

test: deps
	@$(MAKE) --no-print-directory native windows
	@$(MAKE) --no-print-directory test-native test-windows

test-native:
	@cd $(NATIVE) && ctest -j $(JOBS) --output-on-failure

# One wineserver for the whole run; the prefix is made once.
test-windows:
	@mkdir -p $(WINEPREFIX)
	@wineserver -p 2>/dev/null || true  # keeps a running server if there is one
	@$(WINE) wineboot -i >/dev/null 2>&1 || true
	@cd $(WINDOWS) && ctest -j $(JOBS) --output-on-failure; status=$$?; wineserver -k || true; exit $$status

demo: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_COMMON) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) --target quorvel-meter > $(BUILD)/demo-build.log \
	  || { cat $(BUILD)/demo-build.log; exit 1; }
	@$(NATIVE)/tools/quorvel-meter --demo

# Benchmarks are run by hand, on an optimised build of their own.
bench: deps
	@cmake -S . -B $(BUILD)/bench $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS)
	@for b in $(BUILD)/bench/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(NATIVE) $(WINDOWS) $(BUILD)/bench $(BUILD)/plugins $(BUILD)/wineprefix
