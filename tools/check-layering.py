#!/usr/bin/env python3
"""Reads the #include lines of the program's folders and fails when a folder includes one
that stands above it in the order of layers, or a sibling it must not know.

The folders are layers, in the order of tools/layers.txt (lowest first); a folder may
include its own files and those of any folder below it, never one above. The build makes
one library per folder and links them in the same order. tools/siblings.txt names pairs
of folders that must not include each other either way, although the order puts one
below the other. Our own headers are named from the source root and in quotes
("store/store.h"): an include through a relative path ("../shell/x.h") or in angle
brackets (<shell/x.h>) is refused as well, since it would slip past a check that reads
only the first folder of the name.

Usage: check-layering.py [source root]   (default: the folder above this script)
"""
import os
import posixpath
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_TYPES = (".h", ".hpp", ".c", ".cpp", ".rc", ".inc")


def read_list(root, name):
    """The lines of tools/<name> that are neither blank nor comments; none when missing."""
    path = os.path.join(root, "tools", name)
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as listing:
        return [line.split() for line in listing if line.strip() and not line.lstrip().startswith("#")]


def read_layers(root):
    """The folders of tools/layers.txt, lowest first."""
    return [words[0] for words in read_list(root, "layers.txt")]


def read_siblings(root, layers):
    """The pairs of tools/siblings.txt as frozensets; a name that is no layer is an error."""
    pairs = set()
    for words in read_list(root, "siblings.txt"):
        unknown = [word for word in words if word not in layers]
        if len(words) != 2 or unknown:
            raise ValueError(f"tools/siblings.txt: '{' '.join(words)}' is not two folders of tools/layers.txt")
        pairs.add(frozenset(words))
    return pairs


def resolve(root, directory, bracket, name):
    """The path, from the source root, that an include names: a quoted name is looked for
    beside the including file first, as the compiler does, then from the root."""
    if bracket == '"' and os.path.exists(os.path.join(root, directory, name)):
        return posixpath.normpath(posixpath.join(directory, name))
    return posixpath.normpath(name)


def include_problems(root, rank, siblings, source, directory, bracket, name):
    """What is wrong with one include `name` of `source` (a file of `directory`); `rank`
    is each folder's place in the order of layers."""
    folder = source.split("/")[0]
    target_path = resolve(root, directory, bracket, name)
    target = target_path.split("/")[0] if "/" in target_path else None
    shown = f"<{name}>" if bracket == "<" else name
    if ".." in name.split("/") or "." in name.split("/"):
        if target in rank or target == "..":
            where = target_path if target != ".." else "a path outside the source"
            return [f"{folder}/ includes {shown} through a relative path ({where}): "
                    f"name it from the source root"]
        return []
    if bracket == "<" and name.split("/")[0] in rank:
        return [f"{folder}/ includes {shown} in angle brackets: our own headers are named "
                f"in quotes, \"{name}\""]
    if target not in rank or target == folder:
        return []
    if frozenset((folder, target)) in siblings:
        return [f"{folder}/ includes {shown}, but {folder}/ and {target}/ are siblings (tools/siblings.txt) "
                f"and must not include each other"]
    if rank[target] > rank[folder]:
        return [f"{folder}/ includes {shown}, but {target}/ stands above {folder}/"]
    return []


def layering_problems(root, layers, siblings):
    """'file:line: ...' for every include that breaks the order or a sibling rule."""
    rank = {layer: index for index, layer in enumerate(layers)}
    problems = []
    for folder in layers:
        for directory, subfolders, names in os.walk(os.path.join(root, folder)):
            subfolders.sort()
            relative = os.path.relpath(directory, root).replace(os.sep, "/")
            for name in sorted(names):
                if not name.endswith(SOURCE_TYPES):
                    continue
                source = f"{relative}/{name}"
                with open(os.path.join(directory, name), encoding="utf-8", errors="replace") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        for problem in include_problems(root, rank, siblings, source, relative,
                                                        *match.groups()):
                            problems.append(f"{source}:{number}: {problem}")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    layers = read_layers(root)
    try:
        siblings = read_siblings(root, layers)
    except ValueError as error:
        print(error)
        return 1
    problems = layering_problems(root, layers, siblings)
    for problem in problems:
        print(problem)
    if problems:
        print("layers, lowest first: " + " < ".join(layers))
        return 1
    present = [folder for folder in layers if os.path.isdir(os.path.join(root, folder))]
    print(f"layering: {len(present)} folders, every include looks down, no sibling includes another")
    return 0


if __name__ == "__main__":
    sys.exit(main())
