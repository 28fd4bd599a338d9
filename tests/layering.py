#!/usr/bin/env python3
"""The layers' arrows: fails when a project include, or a layer library's link, points against
them. Includes are read from src/<layer>/ and tools/; links from each layer's qlx_layer(... DEPS)."""
import pathlib
import re
import sys

ALLOWED = {
    "app": {"ui", "engine", "product", "payload", "support"},
    "uninstall": {"ui", "product", "support"},
    "engine": {"product", "payload", "support"},
    "ui": {"support"},
    "product": {"support"},
    "payload": {"support"},
    "support": set(),
    "tools": {"payload", "product", "support"},
}
# Layers that build for the packing tool and the host tests as well: no Windows header.
PORTABLE_ONLY = {"product"}

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def main(root: pathlib.Path) -> int:
    faults = []
    layers = [d.name for d in (root / "src").iterdir() if d.is_dir() and d.name != "res"]
    for layer in layers:
        if layer not in ALLOWED:
            faults.append(f"src/{layer}: a folder that is no layer of the map")
    sources = [(p, p.relative_to(root / "src").parts[0]) for p in (root / "src").rglob("*") if p.suffix in (".h", ".cpp")]
    sources += [(p, "tools") for p in (root / "tools").rglob("*") if p.suffix in (".h", ".cpp")]
    for path, layer in sources:
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            top = target.split("/")[0] if "/" in target else None
            if layer in PORTABLE_ONLY and target.lower() == "windows.h":
                faults.append(f"{path.relative_to(root)}: <windows.h> in a portable layer")
            if top is None or top not in ALLOWED or top == layer:
                continue
            if top not in ALLOWED.get(layer, set()):
                faults.append(f"{path.relative_to(root)}: includes {target} ({layer} -> {top} is no arrow)")
    for cmake in (root / "src").glob("*/CMakeLists.txt"):
        layer = cmake.parent.name
        text = cmake.read_text(encoding="utf-8")
        call = re.search(r"qlx_layer\((\w+)(.*?)\)", text, re.S)
        if not call:
            faults.append(f"{cmake.relative_to(root)}: no qlx_layer() call")
            continue
        deps = re.search(r"\bDEPS\b([^A-Z)]*)", call.group(2))
        for dep in (deps.group(1).split() if deps else []):
            if dep not in ALLOWED.get(layer, set()):
                faults.append(f"{cmake.relative_to(root)}: links {dep} ({layer} -> {dep} is no arrow)")
    for fault in faults:
        print(fault)
    print(f"{len(sources)} files, {len(faults)} includes or links against the arrows")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()))
