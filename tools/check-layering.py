#!/usr/bin/env python3
"""Reads the #include lines of the program's folders and fails when a folder includes one
that stands above it in the order of layers.

The folders are layers, in the order of tools/layers.txt (lowest first); a folder may
include its own files and those of any folder below it, never one above. The build makes
one library per folder and links them in the same order.

Usage: check-layering.py [source root]   (default: the folder above this script)
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_TYPES = (".h", ".c", ".cpp", ".rc")


def read_layers(root):
    """The folders of tools/layers.txt, lowest first."""
    with open(os.path.join(root, "tools", "layers.txt"), encoding="utf-8") as listing:
        return [line.strip() for line in listing if line.strip() and not line.startswith("#")]


def upward_includes(root, layers):
    """'file:line: ...' for every include of a folder above the including one."""
    rank = {folder: index for index, folder in enumerate(layers)}
    problems = []
    for folder in layers:
        path = os.path.join(root, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith(SOURCE_TYPES):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match or "/" not in match.group(1):
                        continue
                    target = match.group(1).split("/")[0]
                    if rank.get(target, -1) > rank[folder]:
                        problems.append(f"{folder}/{name}:{number}: {folder}/ includes {match.group(1)}, "
                                        f"but {target}/ stands above {folder}/")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    layers = read_layers(root)
    problems = upward_includes(root, layers)
    for problem in problems:
        print(problem)
    if problems:
        print("layers, lowest first: " + " < ".join(layers))
        return 1
    present = [folder for folder in layers if os.path.isdir(os.path.join(root, folder))]
    print(f"layering: {len(present)} folders, every include looks down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
