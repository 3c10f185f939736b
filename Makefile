# Everything a fresh Debian machine needs: `make run` and `make test`.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE    := cmake
LINUX    := $(BUILD)/linux
CLANG    := $(BUILD)/clang
WIN      := $(BUILD)/win
WEB      := $(BUILD)/web
# emcc's tools need Debian's Node modules, which another Node.js does not find.
EMCC_ENV := NODE_PATH=/usr/share/nodejs
WINE_RUN := tools/wine-run.sh
# The Wine console runner needs only the standard library.
PYTHON   ?= python3
LINUX_CONFIG = $(CMAKE) -S . -B $(LINUX) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++

.PHONY: run test deps deps-test deps-windows deps-package deps-web linux clang windows web test-linux \
  test-windows bench fuzz package clean

# The demo needs the program and the stand-in only: no tests are configured
# (a later `make test` turns them on again in the same build folder).
run: deps
	$(LINUX_CONFIG) -DKVELD_TESTS=OFF
	$(CMAKE) --build $(LINUX) -j $(JOBS) --target kveld dfstandin
	tools/run-demo.sh $(LINUX)/kveld

# The packages are built and checked with lintian too.
test: deps-test linux clang windows web test-linux test-windows package
	@echo "make test: all green"

# `make run` needs only what builds the program; the test targets add the rest.
deps:
	@tools/install-deps.sh run

deps-test: deps
	@tools/install-deps.sh test web

deps-windows: deps
	@tools/install-deps.sh windows

deps-package: deps-windows
	@tools/install-deps.sh package

deps-web: deps
	@tools/install-deps.sh web

linux: deps-test
	$(LINUX_CONFIG) -DKVELD_TESTS=ON -DKVELD_WERROR=ON \
	  -DKVELD_WIN_TESTS_EXE=$(abspath $(WIN))/kveld_tests.exe -DKVELD_WEB_PAGE=$(abspath $(WEB))/kveld.html
	$(CMAKE) --build $(LINUX) -j $(JOBS)

clang: deps-test
	$(CMAKE) -S . -B $(CLANG) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DKVELD_TESTS=OFF -DKVELD_WERROR=ON
	$(CMAKE) --build $(CLANG) -j $(JOBS)

windows: deps-windows
	$(CMAKE) -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKVELD_WERROR=ON \
	  -DKVELD_WEB_PAGE=$(abspath $(WEB))/kveld.html
	$(CMAKE) --build $(WIN) -j $(JOBS)

# The browser page, build/web/kveld.html: the library and the solver compiled
# to WebAssembly by emscripten and embedded in one file.
web: deps-web
	$(EMCC_ENV) emcmake $(CMAKE) -S . -B $(WEB) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVELD_TESTS=OFF -DKVELD_WERROR=ON
	$(EMCC_ENV) $(CMAKE) --build $(WEB) -j $(JOBS)
	@ls -l $(WEB)/kveld.html

# The Linux tests include the Windows build's setup search under Wine and
# the browser page in Chromium.
test-linux: deps-test linux windows web
	cd $(LINUX) && ctest --output-on-failure --timeout 300 -j $(JOBS)

# The console tests run in real consoles (run-console-tests.py), the setup
# search on a drive of its own (tests/setup-wine); here, without either, all
# the others.
test-windows: deps-windows linux windows
	$(WINE_RUN) 600 $(WIN)/kveld_tests.exe --gtest_brief=1 --gtest_filter='-Win32ConsoleTest.*:SetupUnderWine.*'
	$(WINE_RUN) 300 $(WIN)/dfstandin_tests.exe --gtest_brief=1
	$(WINE_RUN) 600 $(WIN)/kveld_analysis_tests.exe --gtest_brief=1
	PYTHONPATH=tests/lib PYTHONDONTWRITEBYTECODE=1 $(PYTHON) tests/wine/run-console-tests.py $(WIN)
	tests/batch/compare-windows.sh $(LINUX)/kveld-batch $(WIN)/kveld-batch.exe
	cd $(WIN) && ctest --output-on-failure --timeout 60 -R 'layers\.no_test_support'

clean:
	rm -rf $(BUILD)

# A .deb from a release build for Linux, a .zip of the programs and their
# manual from the Windows build. The release build takes Debian's hardening
# flags from dpkg-buildflags (debug information left out: it is stripped).
# lintian, when installed, checks the .deb; an error or a warning fails.
# The package is then checked to name one contact address throughout.
DEB_FLAGS := export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g;
package: deps-package windows web
	$(DEB_FLAGS) $(CMAKE) -S . -B $(BUILD)/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
	  -DKVELD_TESTS=OFF -DKVELD_WEB_PAGE=$(abspath $(WEB))/kveld.html \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	$(CMAKE) --build $(BUILD)/release -j $(JOBS)
	rm -f $(BUILD)/release/package/*.deb $(WIN)/package/*.zip
	cd $(BUILD)/release && cpack
	cd $(WIN) && cpack
	@if command -v lintian >/dev/null; then \
	  echo "lintian $(BUILD)/release/package/*.deb"; \
	  lintian --fail-on error,warning --display-info $(BUILD)/release/package/*.deb; \
	else echo "lintian is not installed: the .deb was not checked"; fi
	$(PYTHON) tests/package/package_test.py contact $(BUILD)/release
	@ls $(BUILD)/release/package/*.deb $(WIN)/package/*.zip

# The last lines compare our PBN reader with npm's "pbn" under Node, and the
# page's double-dummy analysis in headless Chromium with kveld-batch's on
# this machine.
bench: deps web
	@tools/install-deps.sh bench
	$(CMAKE) -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVELD_TESTS=OFF -DKVELD_BENCH=ON
	$(CMAKE) --build $(BUILD)/bench -j $(JOBS) --target kveld_benchmarks kveld-batch
	$(BUILD)/bench/kveld_benchmarks
	tests/web/install.sh $(WEB)/npm
	node tests/batch/pbn_bench.js $(WEB)/npm $(BUILD)/bench/kveld_benchmarks
	node tests/web/page_bench.js $(WEB)/npm $(WEB)/kveld.html $(BUILD)/bench/kveld-batch

fuzz: deps
	@tools/install-deps.sh fuzz
	$(CMAKE) -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DKVELD_TESTS=OFF -DKVELD_FUZZ=ON
	$(CMAKE) --build $(BUILD)/fuzz -j $(JOBS)
	tools/run-fuzz.sh $(BUILD)/fuzz
