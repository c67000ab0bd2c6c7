#!/usr/bin/env python3
"""Finds narrow text where a TCHAR form belongs, in the framework, the library, the companion,
the samples and the examples: string literals outside _T()/TEXT() without an L prefix, and
char, LPSTR and LPCSTR. A line may keep narrow text on purpose when it ends with a comment "// narrow: <why>"
(or the line before is such a comment), and so may the lines between "// narrow-begin: <why>"
and "// narrow-end"; the files listed in PORTABLE_FILES are plain C++ without Windows headers
and are not checked. Exits 1 and lists the places when it finds any.
Prints one line "narrow text: N places (F files checked)"."""
import os
import re
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["framework", "image", "paint", "toolpalette", "textbar", "dialogs", "resources",
           "companion", "samples", "examples"]
# Portable code, also built natively for the fuzzer: no TCHAR there. And the string class,
# which implements both widths.
PORTABLE_FILES = {"image/DibLayout.h", "image/DibLayout.cpp",
                  "framework/include/afxstr.h", "framework/src/String.cpp"}

# Lines whose literals are narrow by definition of the construct.
NARROW_CONSTRUCTS = re.compile(
    r'^\s*#|static_assert|extern\s+"C"|GetProcAddress|__attribute__|_Pragma')
NARROW_TYPES = re.compile(r'(?<![\w])(?<!unsigned )(?<!signed )char\b(?!\s*\*?\s*>)|\bLP(C)?STR\b')
MARKER = "// narrow:"
BLOCK_BEGIN = "// narrow-begin:"
BLOCK_END = "// narrow-end"


def strip_code(line, state):
    """Returns the line without comments and with the contents of literals kept; state holds
    whether a block comment is open. Also returns the literals found (with their prefixes)."""
    out = []
    literals = []
    i = 0
    n = len(line)
    while i < n:
        if state["block"]:
            end = line.find("*/", i)
            if end < 0:
                return "".join(out), literals
            state["block"] = False
            i = end + 2
            continue
        if line.startswith("/*", i):
            state["block"] = True
            i += 2
            continue
        if line.startswith("//", i):
            break
        c = line[i]
        if c == "'":
            j = i + 1
            while j < n and line[j] != "'":
                j += 2 if line[j] == "\\" else 1
            out.append("' '")
            i = j + 1
            continue
        if c == '"':
            j = i + 1
            while j < n and line[j] != '"':
                j += 2 if line[j] == "\\" else 1
            k = i
            while k > 0 and (line[k - 1].isalnum() or line[k - 1] == "_"):
                k -= 1
            prefix = line[k:i]
            before = "".join(out)[: len("".join(out)) - len(prefix)].rstrip()
            literals.append((prefix, before))
            out.append('""')
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out), literals


def check_file(path, rel):
    problems = []
    state = {"block": False}
    previous_marked = False
    in_static_assert = False
    in_block = False
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            if BLOCK_BEGIN in line:
                in_block = True
            if BLOCK_END in line:
                in_block = False
            marked = MARKER in line
            allowed = marked or previous_marked or in_block
            previous_marked = line.strip().startswith(MARKER)
            code, literals = strip_code(line.rstrip("\n"), state)
            continued_assert = in_static_assert
            if "static_assert" in code:
                in_static_assert = True
            if in_static_assert and ");" in code:
                in_static_assert = False
            if allowed or continued_assert or NARROW_CONSTRUCTS.search(line):
                continue
            for prefix, before in literals:
                if prefix in ("L", "u", "U", "u8", "LR", "R"):
                    continue
                if before.endswith("_T(") or before.endswith("TEXT(") or before.endswith("_TEXT("):
                    continue
                problems.append((rel, number, "narrow literal", line.strip()))
                break
            if NARROW_TYPES.search(code):
                problems.append((rel, number, "narrow type", line.strip()))
    return problems


def main():
    problems = []
    files = 0
    for folder in FOLDERS:
        for root, _, names in os.walk(os.path.join(REPO, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(root, name)
                rel = os.path.relpath(path, REPO).replace(os.sep, "/")
                if rel in PORTABLE_FILES:
                    continue
                files += 1
                problems += check_file(path, rel)
    for rel, number, what, text in problems:
        print("%s:%d: %s: %s" % (rel, number, what, text))
    print("narrow text: %d places (%d files checked)" % (len(problems), files))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
