#!/usr/bin/env python3
"""Reads the #include lines of the program's folders and fails when the folders include
each other in a circle, or when a low folder includes a feature folder.

Usage: check-layering.py [source root]   (default: the folder above this script)
"""
import os
import re
import sys

PROGRAM_FOLDERS = ["base", "resources", "ui", "render", "engine", "appearance",
                   "listtools", "standard", "individual", "inventory", "store", "shell", "console"]
LOW_FOLDERS = {"base", "resources", "ui", "render", "engine"}
FEATURE_FOLDERS = {"listtools", "standard", "individual", "inventory", "store", "shell", "console"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_edges(root):
    """{(from folder, to folder): first 'file:line' that includes across them}."""
    edges = {}
    for folder in PROGRAM_FOLDERS:
        path = os.path.join(root, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp", ".rc")):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if not match or "/" not in match.group(1):
                        continue
                    target = match.group(1).split("/")[0]
                    if target in PROGRAM_FOLDERS and target != folder:
                        edges.setdefault((folder, target), f"{folder}/{name}:{number}")
    return edges


def find_cycle(edges):
    """A list of folders that include each other in a circle, or None."""
    graph = {}
    for source, target in edges:
        graph.setdefault(source, set()).add(target)
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for following in sorted(graph.get(node, ())):
            if state.get(following) == "open":
                return stack[stack.index(following):] + [following]
            if following not in state:
                cycle = visit(following)
                if cycle:
                    return cycle
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            cycle = visit(node)
            if cycle:
                return cycle
    return None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    edges = folder_edges(root)
    problems = []
    for (source, target), where in sorted(edges.items()):
        if source in LOW_FOLDERS and target in FEATURE_FOLDERS:
            problems.append(f"{where}: {source}/ includes the feature folder {target}/")
        if source == "base":
            problems.append(f"{where}: base/ includes {target}/ (base/ stands below everything)")
    cycle = find_cycle(edges)
    if cycle:
        steps = [f"{a} -> {b} ({edges[(a, b)]})" for a, b in zip(cycle, cycle[1:])]
        problems.append("folders include each other in a circle: " + "; ".join(steps))
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"layering: {len(edges)} folder dependencies, no circle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
