#!/usr/bin/env python3
"""Fails when a source file includes a header from a higher floor.

The floors, bottom up; a file may include headers of its own floor and of the floors below:
  platform    src/platform, src/canvas/helpers, src/canvas/CanvasGlobals
  filters     the picture filter chain the elements apply (src/photos/core ImageProcesser, FilterStages)
  model       src/canvas/model, src/canvas/drawing (elements draw themselves), src/profiles
  engines     src/barcodes, src/photos/core, src/data, src/canvas/render, src/mainwindow/designfile
              (the file's codec; DesignFileController is the main window's share of it)
  views       src/canvas/view, src/inspector, src/mainwindow/dialogs and the windows to come
  mainwindow  src/mainwindow
  app         src/app
Includes that reached up before the floors were drawn are listed in scripts/floor_exceptions.txt;
the list may only shrink: an entry that no longer reaches up must be taken out of it.
Usage: check_floors.py [SOURCE_ROOT]
"""
import os
import re
import sys

FLOORS = [
    ("platform", ["src/platform", "src/canvas/helpers", "src/canvas/CanvasGlobals"]),
    ("filters", ["src/photos/core/ImageProcesser", "src/photos/core/FilterStages"]),
    ("model", ["src/canvas/model", "src/canvas/drawing", "src/profiles"]),
    ("engines", ["src/barcodes", "src/photos/core", "src/data", "src/canvas/render",
                 "src/mainwindow/designfile"]),
    ("views", ["src/canvas/view", "src/inspector", "src/mainwindow/dialogs"]),
    ("mainwindow", ["src/mainwindow", "src/mainwindow/designfile/DesignFileController"]),
    ("app", ["src/app"]),
]
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def floor_of(path):
    """The floor of a path under the root: the one with the longest matching prefix."""
    best, length = None, -1
    for index, (_, prefixes) in enumerate(FLOORS):
        for prefix in prefixes:
            if (path == prefix or path.startswith(prefix + "/") or path.startswith(prefix + ".")) \
                    and len(prefix) > length:
                best, length = index, len(prefix)
    return best


def upward_includes(root):
    found = set()
    for folder, _, files in os.walk(os.path.join(root, "src")):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(folder, name), root)
            own = floor_of(path)
            with open(os.path.join(root, path), encoding="utf-8") as source:
                for line in source:
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    included = "src/" + match.group(1)
                    other = floor_of(included)
                    if own is not None and other is not None and other > own:
                        found.add(f"{path} -> {included}")
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    with open(os.path.join(root, "scripts", "floor_exceptions.txt"), encoding="utf-8") as listed:
        allowed = {line.strip() for line in listed if line.strip() and not line.startswith("#")}
    found = upward_includes(root)
    new, gone = sorted(found - allowed), sorted(allowed - found)
    for entry in new:
        print(f"reaches up a floor: {entry}")
    for entry in gone:
        print(f"no longer reaches up; take it out of scripts/floor_exceptions.txt: {entry}")
    if not new and not gone:
        print(f"floors hold ({len(found)} listed exceptions left)")
    return 1 if new or gone else 0


if __name__ == "__main__":
    sys.exit(main())
