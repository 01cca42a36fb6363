#!/usr/bin/env python3
"""Checks that the layout still explains the code; prints what breaks a rule, exits 1 then.

- <windows.h> (and the header that wraps it) only under platform/win32/ and ui/win32/;
- outside platform/ nothing calls the system's file operations directly: files are reached
  only through a platform::FileSystem (the read-ahead's cache hints aside);
- each room includes only the rooms below it, so that a link line can say the same;
- a header that declares free functions has a source of the same name that defines them.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PRODUCT = ("platform", "readers", "settings", "engine", "ui", "entry")

# What each room may include (by path prefix); the longest matching room wins.
ALLOWED = {
    "platform": ["platform/"],
    "readers": ["platform/", "readers/"],
    "settings": ["platform/", "settings/"],
    "engine/format": ["platform/", "readers/", "engine/format/"],
    "engine/readahead": ["platform/", "readers/", "engine/readahead/"],
    "engine/group": ["platform/", "readers/", "engine/group/"],
    "engine/pass": ["platform/", "readers/", "engine/format/", "engine/group/", "engine/readahead/",
                    "engine/pass/"],
    "engine/journal": ["platform/", "engine/pass/", "engine/journal/"],
    "engine": ["platform/", "readers/", "engine/"],
    "ui": ["platform/", "readers/", "settings/", "engine/", "ui/", "version/"],
    "entry": ["platform/", "readers/", "settings/", "engine/", "ui/", "entry/"],
}
SYSTEM_CALLS = ("platform/FileOperations.h", "platform/InputFile.h", "platform/FileStamp.h",
                "platform/AppendFile.h")
INCLUDE = re.compile(r'^\s*#\s*include\s+[<"]([^>"]+)[>"]')
# A free function declared at namespace scope: "Type Name(...);" from the first column.
DECLARATION = re.compile(r"^(?!inline|static|template|using|typedef|friend|return|constexpr|"
                         r"extern|enum|struct|class|namespace|#|//)[A-Za-z_][\w:<>,*& ]*[\s*&]"
                         r"[A-Za-z_]\w*\([^;{}]*\)\s*(const\s*)?;\s*$")


def room_of(path):
    best = ""
    for room in ALLOWED:
        if (path + "/").startswith(room + "/") and len(room) > len(best):
            best = room
    return best


def Statements(lines):
    """The lines, with a declaration that wraps onto indented lines joined into one."""
    joined = []
    for line in lines:
        if joined and line.startswith(" ") and not joined[-1].rstrip().endswith((";", "{", "}")) \
                and joined[-1][:1].isalpha():
            joined[-1] += " " + line.strip()
        else:
            joined.append(line)
    return joined


def sources():
    for top in PRODUCT:
        for folder, _, names in os.walk(os.path.join(ROOT, top)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(folder, name), ROOT)


def main():
    problems = []
    files = list(sources())
    existing = set(files)
    for path in files:
        win32 = "/win32/" in "/" + path
        room = room_of(os.path.dirname(path))
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as text:
            lines = text.read().splitlines()
        for number, line in enumerate(lines, 1):
            found = INCLUDE.match(line)
            if not found:
                continue
            header = found.group(1)
            where = f"{path}:{number}"
            if header.lower() == "windows.h" or header == "platform/win32/WinApi.h":
                if not win32:
                    problems.append(f"{where}: {header} outside the win32 folders")
                continue
            if "/" not in header or header.startswith(("tests/", "gtest/", "sys/")):
                continue
            if not path.startswith("platform/") and header in SYSTEM_CALLS:
                problems.append(f"{where}: {header}: files are reached through a FileSystem")
            if win32 and header.startswith("ui/win32/"):
                continue
            if room and not header.startswith(tuple(ALLOWED[room])):
                problems.append(f"{where}: {room} may not include {header}")
        if path.endswith(".h") and any(DECLARATION.match(line) for line in Statements(lines)):
            stem = path[:-2]
            folder, name = os.path.split(stem)
            candidates = [stem + ".cpp"] + [os.path.join(folder, system, name + ".cpp")
                                            for system in ("posix", "win32", "console")]
            if not any(candidate in existing for candidate in candidates):
                problems.append(f"{path}: declares functions but there is no {name}.cpp")
    for problem in problems:
        print(problem)
    print(f"layout: {len(files)} files, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
