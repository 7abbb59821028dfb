#!/usr/bin/env python3
"""The tree as committed: no merge leftovers beside the files they were made from, and a README
whose layout names every folder of src/views exactly once.

Usage: tree_tidy_test.py SOURCE_ROOT
"""
import os
import re
import subprocess
import sys

LEFTOVERS = (".orig", ".rej", ".BACKUP", ".BASE", ".LOCAL", ".REMOTE")
# A row of the layout's views block: an indented folder name ending in "/" followed by its text.
VIEWS_ROW = re.compile(r"^ {15}(\w+)/ +\S")


def committed_files(root):
    listed = subprocess.run(["git", "-C", root, "ls-files"], capture_output=True, text=True)
    if listed.returncode != 0:  # a tree without git: every file under it
        return [os.path.relpath(os.path.join(d, f), root) for d, _, files in os.walk(root) for f in files]
    return listed.stdout.splitlines()


def views_rows(readme):
    """The folder names of the layout's views block, in order, repeats kept."""
    rows, inside = [], False
    for line in readme.splitlines():
        if line.startswith("views "):
            inside = True
            continue
        if inside and line.strip() == "|":
            break
        match = VIEWS_ROW.match(line) if inside else None
        if match:
            rows.append(match.group(1))
    return rows


def main():
    root = sys.argv[1]
    failures = [f"merge leftover committed: {path}" for path in committed_files(root) if path.endswith(LEFTOVERS)]
    with open(os.path.join(root, "README.md"), encoding="utf-8") as readme:
        rows = views_rows(readme.read())
    folders = sorted(entry.name for entry in os.scandir(os.path.join(root, "src", "views")) if entry.is_dir())
    for folder in folders:
        if rows.count(folder) != 1:
            failures.append(f"the README's layout names views/{folder} {rows.count(folder)} times")
    failures += [f"the README's layout names views/{row}, which src/views lacks" for row in set(rows) - set(folders)]
    for failure in failures:
        print(failure)
    print("tree tidy" if not failures else f"{len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
