#!/usr/bin/env python3
"""The program's libraries and the floors they stand on, and the check that no source file
includes a header it may not use.

Each folder directly under src/ is one library, zova_<folder> (src/app is the program); its
subfolders group the library's parts. Bottom up; a library may include its own headers and those of
the libraries it uses, directly or through another (src/CMakeLists.txt builds and links the
libraries from this same table):
  platform    src/platform     property lists, archives, files, logging, the seams, the context
  filters     src/filters      the picture filter chain and the settings the elements give it
  model       src/model        the card model; the elements draw themselves (drawing/); user profiles (profiles/)
  engines     src/barcodes     symbologies and the barcode picture factory
              src/photos       the picture core: rotations, geometry, previews, filter settings, crops
              src/data         zip archives, workbooks, the loaded data table
              src/render       the off-screen renderer of card sides and the picture encoders
              src/designfile   the design file's codec
              src/output       binding records into a design, rendering and exporting the cards
              src/mail         the mail settings, sending one message, mailing one card per record
              src/visitors     the visitor log (SQLite), its workbook export and the visitor pass
  views       src/views        the canvas view, the inspector, the dialogs, the wizards, the windows to come
  mainwindow  src/mainwindow   the main window controller, which composes them
  app         src/app          the program, zova-idcard

Usage: check_floors.py [SOURCE_ROOT]      checks the includes, exit status 1 on any that reach out
       check_floors.py --table SOURCE_ROOT  prints "library<TAB>uses,uses..." and then
                                            "library<TAB>source" for every source file, for CMake
"""
import os
import re
import sys

# (floor, library, the libraries it uses, the folders it is built from)
LIBRARIES = [
    ("platform", "zova_platform", [], ["src/platform"]),
    ("filters", "zova_filters", ["zova_platform"], ["src/filters"]),
    ("model", "zova_model", ["zova_filters"], ["src/model"]),
    ("engines", "zova_barcodes", ["zova_model"], ["src/barcodes"]),
    ("engines", "zova_photos", ["zova_render", "zova_data"], ["src/photos"]),
    ("engines", "zova_data", ["zova_platform"], ["src/data"]),
    ("engines", "zova_render", ["zova_model"], ["src/render"]),
    ("engines", "zova_designfile", ["zova_data", "zova_model"], ["src/designfile"]),
    ("engines", "zova_output", ["zova_render", "zova_data", "zova_barcodes", "zova_photos", "zova_designfile"],
     ["src/output"]),
    ("engines", "zova_mail", ["zova_output"], ["src/mail"]),
    ("engines", "zova_visitors", ["zova_output"], ["src/visitors"]),
    ("views", "zova_views", ["zova_barcodes", "zova_photos", "zova_data", "zova_render", "zova_designfile",
                             "zova_output", "zova_mail", "zova_visitors"],
     ["src/views"]),
    ("mainwindow", "zova_mainwindow", ["zova_views"], ["src/mainwindow"]),
    ("app", "zova-idcard", ["zova_mainwindow"], ["src/app"]),
]
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def library_of(path):
    """The library of a path under the root: the one whose folder holds it."""
    for _, library, _, folders in LIBRARIES:
        if any(path.startswith(folder + "/") for folder in folders):
            return library
    return None


def usable_libraries():
    """Each library with itself and every library it uses, directly or through another."""
    uses = {library: used for _, library, used, _ in LIBRARIES}
    usable = {}
    for library in uses:
        reached, pending = {library}, list(uses[library])
        while pending:
            other = pending.pop()
            if other not in reached:
                reached.add(other)
                pending.extend(uses[other])
        usable[library] = reached
    return usable


def source_files(root):
    for folder, _, files in os.walk(os.path.join(root, "src")):
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(folder, name), root)


def reaching_includes(root):
    usable = usable_libraries()
    found = []
    for path in source_files(root):
        own = library_of(path)
        with open(os.path.join(root, path), encoding="utf-8") as source:
            for line in source:
                match = INCLUDE.match(line)
                if not match:
                    continue
                included = "src/" + match.group(1)
                other = library_of(included)
                if own is not None and other is not None and other not in usable[own]:
                    found.append(f"{path} ({own}) -> {included} ({other})")
    return found


def print_table(root):
    for _, library, used, _ in LIBRARIES:
        print(f"{library}\t{','.join(used)}")
    for path in source_files(root):
        library = library_of(path)
        if library is None:
            print(f"no library holds {path}", file=sys.stderr)
            return 1
        print(f"{library}\t{path}")
    return 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--table":
        return print_table(sys.argv[2])
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = reaching_includes(root)
    for entry in found:
        print(f"includes a header its library may not use: {entry}")
    if not found:
        print("floors hold")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
