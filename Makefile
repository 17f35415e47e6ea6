# Mirel: build, test and run on Debian (cross-built with MinGW-w64, run under Wine).
#   make run    build and start Mirel on the local computer
#   make test   build and run every test
#   make build  build only
#   make dist   zip for administrators (mirel.exe, mirelrep.exe, README.txt)

BUILD     ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
RUNPREFIX ?= $(CURDIR)/$(BUILD)/wine-run

PACKAGES  = wine wine64 g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build googletest xvfb zip python3 nlohmann-json3-dev locales npm \
            postgresql unixodbc odbc-postgresql
APT_LINE  = apt-get install -y $(PACKAGES)

.PHONY: all build test run deps dist clean

all: build

deps:
	@missing=""; \
	for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres wine wineserver wineboot cmake ninja Xvfb zip python3 npm; do \
	    command -v $$tool >/dev/null 2>&1 || missing="$$missing $$tool"; \
	done; \
	[ -f /usr/src/googletest/CMakeLists.txt ] || missing="$$missing googletest"; \
	[ -f /usr/include/nlohmann/json.hpp ] || missing="$$missing nlohmann-json3-dev"; \
	[ -f /usr/share/i18n/locales/ja_JP ] || missing="$$missing locales"; \
	[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1 || missing="$$missing wine64"; \
	ls /usr/lib/postgresql/*/bin/pg_ctl >/dev/null 2>&1 || missing="$$missing postgresql"; \
	command -v isql >/dev/null 2>&1 || missing="$$missing unixodbc"; \
	grep -qs '^\[PostgreSQL Unicode\]' /etc/odbcinst.ini || missing="$$missing odbc-postgresql"; \
	if [ -n "$$missing" ]; then \
	    echo "Missing:$$missing"; \
	    if [ "$$(id -u)" = 0 ]; then \
	        echo "Installing: $(APT_LINE)"; \
	        DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	        DEBIAN_FRONTEND=noninteractive $(APT_LINE); \
	    else \
	        echo "Please install them as root:"; \
	        echo "  apt-get update && $(APT_LINE)"; \
	        exit 1; \
	    fi; \
	fi
	@# Wine names files in the Unix locale's character set: without installed UTF-8
	@# locales, names outside ASCII cannot be created in the English and Japanese runs.
	@for loc in en_US ja_JP; do \
	    locale -a 2>/dev/null | grep -qix "$$loc.utf-\?8" && continue; \
	    if [ "$$(id -u)" = 0 ]; then \
	        echo "Generating the $$loc.UTF-8 locale"; \
	        localedef -i $$loc -f UTF-8 $$loc.UTF-8 || exit 1; \
	    else \
	        echo "Please generate the $$loc.UTF-8 locale as root: localedef -i $$loc -f UTF-8 $$loc.UTF-8"; \
	        exit 1; \
	    fi; \
	done

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@tools/run-mirel.sh $(BUILD) $(RUNPREFIX)

dist: build
	@tools/make-dist.sh $(BUILD)

clean:
	rm -rf $(BUILD)
