#!/usr/bin/env python3
"""Fails when the folders of src/ include each other in a circle, or when a
file outside src/app/ includes the main window's header.

A folder's forms/ subfolder counts as a folder of its own (the forms sit above
their core), and src/main.cpp belongs to app. Usage: check-layers.py SRC_DIR"""
import os
import re
import sys

src = sys.argv[1] if len(sys.argv) > 1 else "src"
include = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def folder(path):
    parts = os.path.relpath(path, src).split(os.sep)
    if len(parts) == 1:
        return "app"
    return parts[0] + "/forms" if len(parts) > 2 and parts[1] == "forms" else parts[0]


arrows = {}
faults = []
for directory, _, names in os.walk(src):
    for name in names:
        path = os.path.join(directory, name)
        with open(path, errors="replace") as f:
            for line in f:
                m = include.match(line)
                if not m:
                    continue
                target = os.path.join(src, m.group(1))
                if not os.path.exists(target):
                    target = os.path.join(directory, m.group(1))
                if not os.path.exists(target):
                    continue
                a, b = folder(path), folder(target)
                if m.group(1).endswith("MainForm.h") and not a.startswith("app"):
                    faults.append(f"{os.path.relpath(path, src)} includes the main window ({m.group(1)})")
                if a != b:
                    arrows.setdefault(a, {}).setdefault(b, os.path.relpath(path, src))

# Depth-first search; a grey node met again closes a circle.
state = {}


def visit(node, trail):
    state[node] = "grey"
    for nxt, via in sorted(arrows.get(node, {}).items()):
        if state.get(nxt) == "grey":
            circle = trail[trail.index(nxt):] + [nxt] if nxt in trail else [node, nxt]
            faults.append("include circle: " + " -> ".join(circle) + f" (closed by {via})")
        elif nxt not in state:
            visit(nxt, trail + [nxt])
    state[node] = "black"


for start in sorted(arrows):
    if start not in state:
        visit(start, [start])

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
