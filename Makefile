# Everything a fresh Debian machine needs: `make run` and `make test`.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE    := cmake
LINUX    := $(BUILD)/linux
CLANG    := $(BUILD)/clang
WIN      := $(BUILD)/win
WINE_RUN := tools/wine-run.sh

.PHONY: run test deps linux clang windows test-linux test-windows bench fuzz package clean

run: deps linux
	tools/run-demo.sh $(LINUX)/kveld

test: deps linux clang windows test-linux test-windows
	@echo "make test: all green"

deps:
	@tools/install-deps.sh

linux: deps
	$(CMAKE) -S . -B $(LINUX) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ -DKVELD_WERROR=ON
	$(CMAKE) --build $(LINUX) -j $(JOBS)

clang: deps
	$(CMAKE) -S . -B $(CLANG) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DKVELD_TESTS=OFF -DKVELD_WERROR=ON
	$(CMAKE) --build $(CLANG) -j $(JOBS)

windows: deps
	$(CMAKE) -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKVELD_WERROR=ON
	$(CMAKE) --build $(WIN) -j $(JOBS)

test-linux: linux
	cd $(LINUX) && ctest --output-on-failure --timeout 300 -j $(JOBS)

test-windows: linux windows
	$(WINE_RUN) 600 $(WIN)/kveld_tests.exe --gtest_brief=1
	$(WINE_RUN) 300 $(WIN)/dfstandin_tests.exe --gtest_brief=1
	/usr/bin/python3 tests/wine/run-console-tests.py $(WIN)
	tests/batch/compare-windows.sh $(LINUX)/kveld-batch $(WIN)/kveld-batch.exe

clean:
	rm -rf $(BUILD)

# A .deb from a release build for Linux, a .zip of kveld.exe and its manual
# from the Windows build.
package: deps windows
	$(CMAKE) -S . -B $(BUILD)/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DKVELD_TESTS=OFF
	$(CMAKE) --build $(BUILD)/release -j $(JOBS)
	cd $(BUILD)/release && cpack
	cd $(WIN) && cpack
	@ls $(BUILD)/release/package/*.deb $(WIN)/package/*.zip

bench: deps
	$(CMAKE) -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVELD_TESTS=OFF -DKVELD_BENCH=ON
	$(CMAKE) --build $(BUILD)/bench -j $(JOBS) --target kveld_bench
	$(BUILD)/bench/kveld_bench

fuzz: deps
	$(CMAKE) -S . -B $(BUILD)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKVELD_TESTS=OFF -DKVELD_FUZZ=ON
	$(CMAKE) --build $(BUILD)/fuzz -j $(JOBS)
	tools/run-fuzz.sh $(BUILD)/fuzz
