# Entry points for a new machine: `make run` and `make test` install what is missing, configure,
# build, and then start the program or run every test.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DKX_WERROR=ON
endif

.PHONY: all deps configure build test test-asan run package demo-fonts screenshots format format-check clean

all: build

deps:
	@bash scripts/install-deps.sh

configure:
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

# The tests draw the demo with its fonts and fail on a font message, so the fonts are linked
# first (ctest links them too, as its first test).
test: deps demo-fonts
	@$(MAKE) --no-print-directory build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, in a build of its own.
test-asan: deps demo-fonts
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan
	@cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The demo project's fonts are links to the installed font packages.
demo-fonts: deps
	@bash examples/demo/link-fonts.sh

run: deps demo-fonts
	@$(MAKE) --no-print-directory build
	@$(BUILD_DIR)/src/ui/KXDialogEditor examples/demo/demo.xml

# The Debian package of the editor and kxdialog (BUILD_DIR/kxdialogeditor_VERSION_ARCH.deb), made
# by CPack from the build: install it with "sudo apt install ./build/kxdialogeditor_*.deb".
package: deps
	@$(MAKE) --no-print-directory build
	@cd $(BUILD_DIR) && cpack | sed -n 's/^CPack: - package: /package: /p'

# The user guide's pictures, taken from the editor under Xvfb (docs/images/*.png).
screenshots: deps demo-fonts
	@bash scripts/install-deps.sh --screenshots
	@$(MAKE) --no-print-directory build
	@bash scripts/screenshots.sh $(BUILD_DIR)

# Golden files of the generators hold generated code as it is written, not our style.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h' ':!tests/data')

format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)

clean:
	@rm -rf $(BUILD_DIR)
