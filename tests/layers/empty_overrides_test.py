#!/usr/bin/env python3
"""No seam of the main window is left empty unnoticed: every override under src/mainwindow whose
body does nothing is on the list below, each with the reason why nothing is to do there. A seam
left empty in the real window once stayed green behind the stand-ins tests put in its place.

Usage: empty_overrides_test.py SOURCE_ROOT
"""
import os
import re
import sys

# Class::method of every override under src/mainwindow allowed to do nothing, and why.
ALLOWED = {
    # Record fills and output runs take a side's list from the document when they act: no list is
    # kept between them to point at the side in force.
    "ControllerCanvasHost::Set_Graphics_array_Batch_To_Current_Side",
    # The design file without a window (tools, and the copy of a design onto the other side
    # through a temporary file): no panel values, no project workbook, no title, nothing shown.
    "WindowlessDesignFile::Save_Group_Mode_List_Details_In_XL_Data_List",
    "WindowlessDesignFile::Group_Project_Saved",
    "WindowlessDesignFile::Set_Log_Name_In_Title",
    "WindowlessDesignFile::Show_Loaded_Design",
}

COMMENTS = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
STRINGS = re.compile(r'"(?:\\.|[^"\\\n])*"')
CLASS_HEAD = re.compile(r"\b(?:class|struct)\s+(\w+)(?:\s+final)?\s*(?::[^{;]*)?$")
SIGNATURE_TAIL = r"\s*\([^;{}]*\)\s*(?:const\s*)?(?:noexcept\s*)?"
IN_CLASS_EMPTY = re.compile(r"(\w+)" + SIGNATURE_TAIL + r"override\s*(?:final\s*)?\{\s*(?:return\s*;\s*)?\}")
DECLARED = re.compile(r"(\w+)" + SIGNATURE_TAIL + r"override\s*(?:final\s*)?;")
OUT_OF_LINE_EMPTY = re.compile(r"\b(\w+)::(\w+)" + SIGNATURE_TAIL + r"\{\s*(?:return\s*;\s*)?\}")


def plain(text):
    """The code without comments and string literals, lengths kept so positions still match."""
    blank = lambda match: re.sub(r"[^\n]", " ", match.group(0))
    return STRINGS.sub(blank, COMMENTS.sub(blank, text))


def enclosing_classes(code):
    """For each position of an opening brace, the innermost class whose body it is in."""
    stack, owner, start = [], {}, 0
    for index, char in enumerate(code):
        if char == "{":
            head = CLASS_HEAD.search(code[start:index].strip())
            stack.append(head.group(1) if head else None)
            start = index + 1
        elif char == "}":
            if stack:
                stack.pop()
            start = index + 1
        elif char == ";":
            start = index + 1
        if char in "{}":
            owner[index] = next((name for name in reversed(stack) if name), None)
    return owner


def empty_overrides(files):
    """Class::method of every override whose body is empty, over {path: text}."""
    declared, found = {}, set()
    for path, text in files.items():
        code = plain(text)
        owner = enclosing_classes(code)
        for match in DECLARED.finditer(code):
            cls = next((owner[i] for i in range(match.start(), -1, -1) if i in owner), None)
            declared.setdefault(match.group(1), set()).add(cls)
        for match in IN_CLASS_EMPTY.finditer(code):
            cls = next((owner[i] for i in range(match.start(), -1, -1) if i in owner), None)
            found.add(f"{cls}::{match.group(1)}")
    for text in files.values():
        for match in OUT_OF_LINE_EMPTY.finditer(plain(text)):
            if match.group(1) in declared.get(match.group(2), set()):
                found.add(f"{match.group(1)}::{match.group(2)}")
    return found


def check_itself():
    """The check finds empty overrides in a class, out of line and after a comment, and passes a
    body that does something."""
    sample = {
        "a.h": "namespace {\nclass Quiet final : public Seam {\npublic:\n"
               "    void shown(int) override {}\n    // why\n    int kept() const override { return 1; }\n"
               "    void later(const QString& x) override;\n    void done() override { /* nothing */ }\n};\n}\n"
               "struct Other : Seam { void shown(int) override { work(); } };\n",
        "a.cpp": "void Quiet::later(const QString&)\n{\n}\nvoid Quiet::helper() {}\n",
    }
    return empty_overrides(sample) == {"Quiet::shown", "Quiet::later", "Quiet::done"}


def main():
    if not check_itself():
        print("the check itself misses an empty override or finds one that is not")
        return 1
    folder = os.path.join(sys.argv[1], "src", "mainwindow")
    files = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith((".h", ".cpp")):
            with open(os.path.join(folder, name), encoding="utf-8") as source:
                files[name] = source.read()
    found = empty_overrides(files)
    failures = [f"{name} does nothing: build it, or put it on the list with the reason" for name in sorted(found - ALLOWED)]
    failures += [f"{name} is listed but does something now: take it off the list" for name in sorted(ALLOWED - found)]
    for failure in failures:
        print(failure)
    print("no seam left empty unnoticed" if not failures else f"{len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
