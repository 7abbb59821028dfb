#!/usr/bin/env python3
"""The floors check fails on an include its library may not use and passes on the others."""
import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "check_floors.py")


def check(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                out.write(text)
        return subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)


def main():
    cases = [
        # (what, files, expected exit status)
        ("the model reaching the main window", {"src/model/A.cpp": '#include "mainwindow/B.h"\n',
                                                "src/mainwindow/B.h": ""}, 1),
        ("the filters reaching the picture core, whatever the file's name",
         {"src/filters/A.cpp": '#include "photos/ImageProcesser.h"\n', "src/photos/ImageProcesser.h": ""}, 1),
        ("data reaching a sibling engine it does not use", {"src/data/A.cpp": '#include "barcodes/B.h"\n',
                                                            "src/barcodes/B.h": ""}, 1),
        ("the codec reaching its controller in the main window",
         {"src/designfile/DesignFile.cpp": '#include "mainwindow/DesignFileController.h"\n',
          "src/mainwindow/DesignFileController.h": ""}, 1),
        ("the design file using data and the platform",
         {"src/designfile/A.cpp": '#include "data/B.h"\n#include "platform/C.h"\n',
          "src/data/B.h": "", "src/platform/C.h": ""}, 0),
        ("the views using every engine", {"src/views/canvas/A.cpp": '#include "barcodes/B.h"\n#include "render/C.h"\n',
                                          "src/barcodes/B.h": "", "src/render/C.h": ""}, 0),
    ]
    failed = 0
    for what, files, expected in cases:
        result = check(files)
        if result.returncode != expected:
            failed += 1
            print(f"FAIL {what}: exit {result.returncode}, expected {expected}\n{result.stdout}{result.stderr}")
    table = subprocess.run([sys.executable, SCRIPT, "--table", os.path.join(os.path.dirname(SCRIPT), "..")],
                           capture_output=True, text=True)
    if table.returncode != 0:
        failed += 1
        print(f"FAIL the table: {table.stderr}")
    print(f"{len(cases) + 1 - failed} of {len(cases) + 1} passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
