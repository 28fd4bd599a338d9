# The two commands of the README: `make run` and `make test`. Everything else is a step of them.
SHELL := /bin/bash
.DEFAULT_GOAL := build

BUILD := build
JOBS  ?= $(shell nproc)

.PHONY: build program bootstrap native cross run test gallery bench robustness sign clean distclean

build: cross
	@echo "installer: $(BUILD)/qlx355.exe"

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	@test -f $(BUILD)/native/build.ninja || cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

# The cross tree uses the native packing tool, so it is built after the native tree.
# `make build PAYLOAD=path/to/my.manifest` embeds another payload (kept until changed again).
cross: native
	@test -f $(BUILD)/cross/build.ninja || cmake --preset cross >/dev/null
	@$(if $(PAYLOAD),cmake --preset cross -DQLX_PAYLOAD_MANIFEST=$(abspath $(PAYLOAD)) >/dev/null)
	@cmake --build --preset cross -j $(JOBS)

# What `make run` starts and nothing more: the packing tool, then the installer (which carries
# the uninstaller). Tests and benchmarks come with `make build`, `make test` and `make bench`.
program: bootstrap
	@test -f $(BUILD)/native/build.ninja || cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS) --target qlxpack
	@test -f $(BUILD)/cross/build.ninja || cmake --preset cross >/dev/null
	@$(if $(PAYLOAD),cmake --preset cross -DQLX_PAYLOAD_MANIFEST=$(abspath $(PAYLOAD)) >/dev/null)
	@cmake --build --preset cross -j $(JOBS) --target qlx355 unins
	@echo "installer: $(BUILD)/qlx355.exe"

run: program
	@scripts/run.sh

test: build
	@scripts/test.sh

# The drawn controls in each state, as PNG files under build/gallery (also made by `make test`).
gallery: build
	@scripts/test.sh -R '^win32_gallery:'

# The robustness campaign at full size (the quick subset is part of `make test`). The damaged
# installers run in both prefixes side by side; their 5,400 copies take over two hours here.
robustness: build
	@QLX_ROBUSTNESS=full QLX_DAMAGE_SHARDS=$${QLX_DAMAGE_SHARDS:-2} scripts/test.sh -R '^robustness_' --timeout 14400

# Authenticode signatures on the uninstaller (before it is packed) and the installer:
# `make sign CERT=cert.pem KEY=key.pem` or `make sign PFX=bundle.p12 PASS=...` (scripts/sign.sh).
sign: build
	@JOBS=$(JOBS) scripts/sign.sh

# The benchmarks (bench/run.sh; BENCH_RUNS=7, BENCH_SCALES="1 10"; about 40 minutes, 25 of them at 10x;
# BENCH_SCALES="1 10 1g" adds a 1 GB payload).
bench: build
	@bench/run.sh

clean:
	@for p in wine64 wine32; do [ -d $(BUILD)/$$p ] && WINEPREFIX=$$PWD/$(BUILD)/$$p wineserver -k 2>/dev/null || true; done
	rm -rf $(BUILD)/native $(BUILD)/cross $(BUILD)/qlx355.exe

distclean: clean
	rm -rf $(BUILD)
