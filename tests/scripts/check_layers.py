#!/usr/bin/env python3
"""Fails when a product file includes a folder its layer may not use.

The layers and what each may use are read from the folder_library() lines of CMakeLists.txt, so
the build and this check cannot drift apart: a folder may include its own headers and those of the
libraries it lists there, nothing else. Two rules narrow that further:
  - sim/ talks to the tool only through the driver interface (testerlink/driver.h);
  - resources/ holds only the control ids of the Windows templates: the front ends may include it.

Usage: check_layers.py SOURCE_DIR        (exit status 1 and one line per wrong include)
"""
import pathlib
import re
import sys

# Narrower than the library dependency: the only headers of that folder a layer may include.
ONLY_HEADERS = {("sim", "testerlink"): {"testerlink/driver.h"}}
# Folders of data headers any front end may include.
DATA_FOLDERS = {"resources"}
# Folders whose files are not part of a layer.
UNCHECKED = {"tests", "bench", "fuzz", "build", "samples", "scripts", "docs", "cmake"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_table(source_dir):
    """{folder: set of folders it may include}, from CMakeLists.txt."""
    text = (source_dir / "CMakeLists.txt").read_text()
    folder_of = {"formats": "formats"}
    deps = {"formats": []}
    for name, folder, rest in re.findall(r"^folder_library\((\S+)\s+(\S+)([^)]*)\)", text, re.M):
        folder_of[name] = folder
        deps[name] = rest.split()
    table = {}
    for name, folder in folder_of.items():
        allowed = {folder} | DATA_FOLDERS
        for dep in deps.get(name, []):
            if dep in folder_of:  # system libraries are not folders
                allowed.add(folder_of[dep])
        table[folder] = allowed
    return table


def layer_of(relative, table):
    """The layer folder of a file: the longest table folder that contains it."""
    best = None
    for folder in table:
        if relative.as_posix().startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def main():
    source_dir = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    table = layer_table(source_dir)
    wrong = []
    for path in sorted(source_dir.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        relative = path.relative_to(source_dir)
        if relative.parts[0] in UNCHECKED:
            continue
        layer = layer_of(relative, table)
        if layer is None:
            continue  # apps/ and other program entry points may use any layer
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            target = match.group(1)
            folder = layer_of(pathlib.PurePosixPath(target), table) or target.split("/")[0]
            if folder not in table and folder not in DATA_FOLDERS:
                continue  # not a project folder
            only = ONLY_HEADERS.get((layer, folder))
            if folder not in table[layer] or (only is not None and target not in only):
                wrong.append(f"{relative}:{number}: {layer}/ may not include \"{target}\"")
    for line in wrong:
        print(line)
    if wrong:
        print(f"{len(wrong)} include(s) cross the layers; see docs/architecture.md")
        return 1
    print(f"layers: {len(table)} folders checked, no include crosses them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
