# SPDX-License-Identifier: GPL-3.0-or-later
# A thin front over CMake. The real build lives in CMakeLists.txt.
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: deps test test-sanitize run package clean

deps:
	./scripts/install-deps

test: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELON_WERROR=ON $(CMAKE_FLAGS)
	cmake --build build -j$(JOBS)
	ctest --test-dir build --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAVELON_WERROR=ON -DRAVELON_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j$(JOBS)
	ctest --test-dir build-asan --output-on-failure -j$(JOBS)

# The Debian package build/ravelon_<version>_<arch>.deb (installs under /usr).
package: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELON_WERROR=ON $(CMAKE_FLAGS)
	cmake --build build --target package -j$(JOBS)

# The desktop program with the right-handed trefoil. Without a display it says
# how to try the window headless and runs the command-line calculator over
# the example knots instead.
run: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build build --target ravelon -j$(JOBS)
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./build/app/ravelon examples/trefoil-right.rvd; \
	else \
	  echo "run: no display (DISPLAY and WAYLAND_DISPLAY are unset); to try the window headless: xvfb-run -a ./build/app/ravelon examples/trefoil-right.rvd -- running ravelon-calc over examples/*.rvd instead"; \
	  cmake --build build --target ravelon-calc -j$(JOBS) && ./build/cli/ravelon-calc examples/*.rvd; \
	fi

clean:
	rm -rf build build-asan
