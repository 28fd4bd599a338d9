#!/usr/bin/env python3
"""The layers' arrows: fails when a project include, or a layer library's link, points against
them, and when files of src/ include each other in a cycle. Includes are read from src/ and
tools/; links from each layer's qlx_layer(... DEPS). A layer is a folder of src/, and each of
the four rooms of src/support (support/base, support/win, support/fs, support/run) is one."""
import pathlib
import re
import sys

ALLOWED = {
    "app": {"ui", "engine", "product", "payload", "support/run", "support/fs", "support/win", "support/base"},
    "uninstall": {"ui", "product", "support/run", "support/fs", "support/win", "support/base"},
    "engine": {"product", "payload", "support/run", "support/fs", "support/win", "support/base"},
    "ui": {"support/run", "support/fs", "support/win", "support/base"},
    "product": {"support/base"},
    "payload": {"support/win", "support/base"},
    "support/run": {"support/fs", "support/win", "support/base"},
    "support/fs": {"support/win", "support/base"},
    "support/win": {"support/base"},
    "support/base": set(),
    "tools": {"payload", "product"},
}
ROOMS = ("base", "win", "fs", "run")
# A room's library is qlx_<room>; every other layer's is qlx_<layer>.
LIBRARY_LAYER = {room: f"support/{room}" for room in ROOMS}
# Layers that build for the packing tool and the host tests as well: no Windows header.
PORTABLE_ONLY = {"product", "support/base"}
# Cycles listed at the most.
MAX_CYCLES_SHOWN = 50

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def layer_of(path: pathlib.PurePath) -> str:
    """The layer of a path relative to src/ (a file's or an include's)."""
    parts = path.parts
    if parts[0] == "support" and len(parts) > 2:
        return f"support/{parts[1]}"
    return parts[0]


def check_folders(root: pathlib.Path, faults: list) -> None:
    src = root / "src"
    for folder in sorted(d for d in src.iterdir() if d.is_dir() and d.name not in ("res", "support")):
        if folder.name not in ALLOWED:
            faults.append(f"src/{folder.name}: a folder that is no layer of the map")
    for entry in sorted((src / "support").iterdir()):
        if entry.is_dir() and entry.name not in ROOMS:
            faults.append(f"src/support/{entry.name}: a folder that is no room of the map")
        elif entry.is_file() and entry.suffix in (".h", ".cpp"):
            faults.append(f"src/support/{entry.name}: a file in none of the rooms")


def check_includes(root: pathlib.Path, sources: list, faults: list) -> None:
    for path, layer in sources:
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if layer in PORTABLE_ONLY and target.lower() == "windows.h":
                faults.append(f"{path.relative_to(root)}: <windows.h> in a portable layer")
            if "/" not in target:
                continue
            top = layer_of(pathlib.PurePosixPath(target))
            if top == "support":
                faults.append(f"{path.relative_to(root)}: includes {target}, which is in none of the rooms")
                continue
            if top not in ALLOWED or top == layer:
                continue
            if top not in ALLOWED.get(layer, set()):
                faults.append(f"{path.relative_to(root)}: includes {target} ({layer} -> {top} is no arrow)")


def check_links(root: pathlib.Path, faults: list) -> None:
    src = root / "src"
    for cmake in sorted(src.glob("*/CMakeLists.txt")) + sorted((src / "support").glob("*/CMakeLists.txt")):
        layer = layer_of(cmake.parent.relative_to(src) / "CMakeLists.txt")
        if layer == "support":
            continue  # the rooms' parent folder: no layer of its own
        text = cmake.read_text(encoding="utf-8")
        call = re.search(r"qlx_layer\((\w+)(.*?)\)", text, re.S)
        if not call:
            faults.append(f"{cmake.relative_to(root)}: no qlx_layer() call")
            continue
        if LIBRARY_LAYER.get(call.group(1), call.group(1)) != layer:
            faults.append(f"{cmake.relative_to(root)}: qlx_layer({call.group(1)}) in the folder of {layer}")
        deps = re.search(r"\bDEPS\b([^A-Z)]*)", call.group(2))
        for dep in (deps.group(1).split() if deps else []):
            target = LIBRARY_LAYER.get(dep, dep)
            if target not in ALLOWED.get(layer, set()):
                faults.append(f"{cmake.relative_to(root)}: links {dep} ({layer} -> {target} is no arrow)")


def include_graph(root: pathlib.Path) -> dict:
    """Component (a file stem below src/: X.h and X.cpp) -> the components whose headers it
    includes."""
    src = root / "src"
    files = {}
    for path in src.rglob("*"):
        if path.suffix in (".h", ".cpp"):
            files.setdefault(path.relative_to(src).with_suffix("").as_posix(), []).append(path)
    graph = {component: set() for component in files}
    for component, paths in files.items():
        for path in paths:
            for target in PROJECT_INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                included = pathlib.PurePosixPath(target).with_suffix("").as_posix()
                if included in graph and included != component:
                    graph[component].add(included)
    return graph


def strong_components(graph: dict) -> list:
    """The groups of components that reach each other (Kosaraju: finishing order of a walk of
    the graph, then walks of the reversed graph in the reverse of that order)."""
    order, seen = [], set()
    for start in sorted(graph):
        if start in seen:
            continue
        seen.add(start)
        stack = [(start, iter(sorted(graph[start])))]
        while stack:
            node, steps = stack[-1]
            step = next(steps, None)
            if step is None:
                stack.pop()
                order.append(node)
            elif step not in seen:
                seen.add(step)
                stack.append((step, iter(sorted(graph[step]))))
    reverse = {node: set() for node in graph}
    for node, targets in graph.items():
        for target in targets:
            reverse[target].add(node)
    groups, placed = [], set()
    for start in reversed(order):
        if start in placed:
            continue
        group, stack = set(), [start]
        placed.add(start)
        while stack:
            node = stack.pop()
            group.add(node)
            for step in reverse[node] - placed:
                placed.add(step)
                stack.append(step)
        groups.append(group)
    return groups


def cycles_of(graph: dict, limit: int) -> list:
    """The graph's cycles, each once and starting at its least component, up to `limit` of
    them: in each group of components that reach each other, a depth-first walk from each
    member in turn through the greater members only."""
    cycles = []
    for group in strong_components(graph):
        members = sorted(group)
        for index, start in enumerate(members):
            allowed = set(members[index + 1:])
            path = [start]
            stack = [iter(sorted(graph[start] & group))]
            while stack:
                step = next(stack[-1], None)
                if step is None:
                    stack.pop()
                    path.pop()
                elif step == start:
                    cycles.append(path + [start])
                    if len(cycles) == limit:
                        return cycles
                elif step in allowed and step not in path:
                    path.append(step)
                    stack.append(iter(sorted(graph[step] & group)))
    return sorted(cycles)


def main(root: pathlib.Path) -> int:
    faults = []
    check_folders(root, faults)
    src = root / "src"
    sources = [(p, layer_of(p.relative_to(src))) for p in src.rglob("*") if p.suffix in (".h", ".cpp")]
    sources += [(p, "tools") for p in (root / "tools").rglob("*") if p.suffix in (".h", ".cpp")]
    check_includes(root, sources, faults)
    check_links(root, faults)
    cycles = cycles_of(include_graph(root), MAX_CYCLES_SHOWN + 1)
    for fault in faults:
        print(fault)
    for cycle in cycles[:MAX_CYCLES_SHOWN]:
        print("includes in a cycle: " + " -> ".join(cycle))
    count = f"more than {MAX_CYCLES_SHOWN}" if len(cycles) > MAX_CYCLES_SHOWN else str(len(cycles))
    print(f"{len(sources)} files, {len(faults)} includes or links against the arrows, {count} include cycles")
    return 1 if faults or cycles else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()))
