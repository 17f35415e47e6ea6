# Mirel: build, test and run on Debian (cross-built with MinGW-w64, run under Wine).
#   make run    build and start Mirel on the local computer
#   make test   build and run every test
#   make build  build only
#   make dist   zip for administrators (mirel.exe, mirelrep.exe, README.txt)

BUILD     ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
RUNPREFIX ?= $(CURDIR)/$(BUILD)/wine-run

# The Debian packages needed are installed only where missing, so that a Node.js of
# another origin keeps its own npm.

.PHONY: all build test run deps dist clean

all: build

deps:
	@missing=""; \
	need() { command -v "$$1" >/dev/null 2>&1 || missing="$$missing $$2"; }; \
	need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix; \
	need x86_64-w64-mingw32-windres mingw-w64-tools; \
	need wine wine; need wineserver wine; need wineboot wine; \
	need cmake cmake; need ninja ninja-build; need Xvfb xvfb; need zip zip; \
	need python3 python3; need npm npm; need isql unixodbc; \
	need chromium chromium; need pdftoppm poppler-utils; \
	[ -f /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf ] || missing="$$missing fonts-ipafont-gothic"; \
	[ -x /usr/sbin/slapd ] && [ -x /usr/sbin/slapadd ] && [ -f /etc/ldap/schema/msuser.schema ] || missing="$$missing slapd"; \
	need ldapsearch ldap-utils; \
	[ -f /usr/src/googletest/CMakeLists.txt ] || missing="$$missing googletest"; \
	[ -f /usr/include/nlohmann/json.hpp ] || missing="$$missing nlohmann-json3-dev"; \
	[ -f /usr/share/i18n/locales/ja_JP ] || missing="$$missing locales"; \
	[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null 2>&1 || missing="$$missing wine64"; \
	ls /usr/lib/postgresql/*/bin/pg_ctl >/dev/null 2>&1 || missing="$$missing postgresql"; \
	grep -qs '^\[PostgreSQL Unicode\]' /etc/odbcinst.ini || missing="$$missing odbc-postgresql"; \
	missing=$$(echo $$missing | tr ' ' '\n' | sort -u | tr '\n' ' '); \
	if [ -n "$${missing% }" ]; then \
	    echo "Missing: $$missing"; \
	    if [ "$$(id -u)" = 0 ]; then \
	        echo "Installing: apt-get install -y $$missing"; \
	        DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	        DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	    else \
	        echo "Please install them as root:"; \
	        echo "  apt-get update && apt-get install -y $$missing"; \
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
