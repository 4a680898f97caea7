# Tessel: the two everyday commands, `make run` and `make test`, plus benchmarks and fuzzing.
# Each target installs the Debian packages it needs when they are missing.

JOBS        ?= 2
BUILD       ?= build
TEST_BUILD  ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
PACKAGE_BUILD ?= build-package
FUZZ_SECONDS ?= 600
PREFIX      ?= /usr/local

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Qt's own dialogs in Japanese need its translations, and Japanese texts a Japanese font.
# The solver's BLAS is OpenBLAS's serial build, which the programs link by its folder (src/).
RUN_PACKAGES   := cmake make g++ pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev \
                  libcairo2-dev libpng-dev libeigen3-dev libsuitesparse-dev libopenblas0-serial \
                  libcgal-dev \
                  fonts-dejavu-core fonts-ipafont-gothic qt6-translations-l10n
# The TikZ export's tests compile it with pdflatex (TikZ is in texlive-pictures) and render the
# page with pdftoppm.
TEST_PACKAGES  := $(RUN_PACKAGES) libgtest-dev libgmock-dev locales desktop-file-utils appstream \
                  texlive-latex-base texlive-pictures poppler-utils
BENCH_PACKAGES := $(RUN_PACKAGES) libbenchmark-dev libcairo2-dev
FUZZ_PACKAGES  := $(TEST_PACKAGES) clang libclang-rt-14-dev
# dpkg-shlibdeps computes the package's dependencies; CPack finds the programs with `file`.
PACKAGE_PACKAGES := $(RUN_PACKAGES) dpkg-dev file
# The Debian package names the BLAS the programs are built with, which the computed
# dependencies would leave to chance.
PACKAGE_BLAS := $(filter libopenblas% libblis%,$(RUN_PACKAGES))

# Installs the packages of $(1) that dpkg does not list as installed.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

# The locale tests write files under German and Japanese locales.
define ensure_locales
	@for l in de_DE ja_JP; do \
	  locale -a 2>/dev/null | grep -qi "^$$l\.utf-\?8$$" || $(SUDO) localedef -i $$l -c -f UTF-8 $$l.UTF-8; \
	done
endef

# Runs $(2) as root through sudo when the first existing folder of $(1) is not writable.
define as_owner_of
	@p="$(1)"; while [ ! -e "$$p" ]; do p=$$(dirname "$$p"); done; \
	if [ -w "$$p" ]; then $(2); else $(SUDO) $(2); fi
endef

.PHONY: all run test golden bench fuzz install uninstall package deps-run deps-test deps-bench \
        deps-fuzz deps-package clean

all: run

deps-run:
	$(call install_missing,$(RUN_PACKAGES))

deps-test:
	$(call install_missing,$(TEST_PACKAGES))
	$(call ensure_locales)

deps-bench:
	$(call install_missing,$(BENCH_PACKAGES))

deps-fuzz:
	$(call install_missing,$(FUZZ_PACKAGES))

deps-package:
	$(call install_missing,$(PACKAGE_PACKAGES))

run: deps-run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS)
	$(BUILD)/src/tessel

# Installs both programs and their files under $(PREFIX) (and $(DESTDIR), for staging); the
# programs find their files relative to themselves, so the prefix may be moved afterwards.
install: deps-run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j$(JOBS)
	$(call as_owner_of,$(DESTDIR)$(PREFIX),cmake --install $(BUILD))

# Removes what the last `make install` installed: its files, and the folders it created.
uninstall:
	$(call as_owner_of,$(DESTDIR)$(PREFIX),cmake -DBUILD_DIR=$(BUILD) -P packaging/Uninstall.cmake)

# The Debian package tessel_VERSION_ARCH.deb in this folder: the files of `make install` under
# /usr, built with Debian's hardening flags, stripped, its dependencies computed.
package: deps-package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=None -DTESSEL_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr -DTESSEL_PACKAGE_BLAS="$(PACKAGE_BLAS)"
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack
	mv $(PACKAGE_BUILD)/tessel_*.deb .

test: deps-test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSEL_TESTS=ON -DTESSEL_SANITIZERS=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j$(JOBS)

# Rewrites the expected files of tests/data/golden from the current writers: run it after a
# deliberate change of an export or of the packing, then review the files before committing.
golden: deps-test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSEL_TESTS=ON -DTESSEL_SANITIZERS=ON
	cmake --build $(TEST_BUILD) -j$(JOBS) --target tessel_core_tests
	TESSEL_UPDATE_GOLDEN=1 $(TEST_BUILD)/tests/tessel_core_tests --gtest_filter='Golden.*'

bench: deps-bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSEL_TESTS=OFF -DTESSEL_BENCH=ON
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

fuzz: deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTESSEL_TESTS=OFF -DTESSEL_GUI=OFF -DTESSEL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	mkdir -p tests/fuzz/work
	$(FUZZ_BUILD)/tests/fuzz/fuzz_load -max_total_time=$(FUZZ_SECONDS) \
	  -artifact_prefix=tests/fuzz/work/ tests/fuzz/work tests/fuzz/corpus

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
