# Set-up commands: `make run` builds and starts the program, `make test` builds and runs every test headless.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test test-sanitized bench clean

deps:
	@bash scripts/install-deps.sh

# Ninja when it is there (scripts/install-deps.sh installs it): it starts a library's compiles
# without waiting for the libraries below it to be archived, and checks a built tree at once.
# A build folder made with the other generator is configured afresh.
define configure_tree
	@gen=Ninja; command -v ninja >/dev/null 2>&1 || gen="Unix Makefiles"; \
	if [ -f $(1)/CMakeCache.txt ] && ! grep -qx "CMAKE_GENERATOR:INTERNAL=$$gen" $(1)/CMakeCache.txt; then \
	  rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles; fi; \
	cmake -S . -B $(1) -G "$$gen" $(2) >/dev/null
endef

configure: deps
	$(call configure_tree,$(BUILD_DIR),$(CMAKE_FLAGS))

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# `make run` builds the program alone; the tests and benchmarks are built by `make test` and `make bench`.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zorvan
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display (DISPLAY is not set): the program now runs under a virtual display (xvfb-run),"; \
	  echo "where nobody can see it. To see the window, run 'make run' in a desktop session, over"; \
	  echo "'ssh -X', or with DISPLAY set to a running X server. Stop it with Ctrl+C."; \
	  xvfb-run -a $(BUILD_DIR)/src/zorvan; \
	else $(BUILD_DIR)/src/zorvan; fi

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-sanitized

# The readers of untrusted files (workbooks, pictures, matrix, batch, weights and delimited text
# files) and the cell store they fill run a second time under AddressSanitizer and UBSan; the
# sanitized build holds only their tests (tests/CMakeLists.txt lists them).
test-sanitized: deps
	$(call configure_tree,$(BUILD_DIR)-asan,-DCMAKE_BUILD_TYPE=Debug -DZORVAN_ASAN=ON)
	@cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	@cd $(BUILD_DIR)-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	@rm -rf $(BUILD_DIR) $(BUILD_DIR)-asan
