#!/usr/bin/env python3
"""The floors of the program, kept by make lint: every #include of forms/, sound/, core/ and ui/ reaches only its own
floor or one below it (docs/design.md, Layers); core/ is a floor of its own that sees nothing but itself. Usage: floors.py [ROOT]; prints "file:line: rule"
for each include that reaches the wrong way and exits 1 when there is one."""
import os
import re
import sys

# Rooms a file may include from, by the file's place (the first that matches). forms/ is the portable headers at
# the top of the forms folder; forms/win32/ and forms/headless/ are the two backends beside each other.
UI_ROOMS = ("forms/", "sound/", "core/", "ui/", "resources/")
FLOORS = [
    ("ui/main_win32.cpp", UI_ROOMS + ("forms/win32/",)),  # the one file that knows both sides
    ("ui/", UI_ROOMS),
    ("core/", ("core/",)),
    ("sound/", ("forms/", "sound/")),
    ("forms/win32/", ("forms/", "forms/win32/", "resources/")),
    ("forms/headless/", ("forms/", "forms/headless/")),
    ("forms/", ("forms/",)),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def room(path):
    """Where a file lies as the rules name it: its top folder ("core/"), but in forms/ the backend's subfolder
    ("forms/win32/") or "forms/" for the portable headers; a file at the root is its own room."""
    parts = path.split("/")
    if parts[0] == "forms" and len(parts) > 2:
        return "/".join(parts[:2]) + "/"
    return parts[0] + "/" if len(parts) > 1 else path


def floor_of(path):
    return next(((place, rooms) for place, rooms in FLOORS if path.startswith(place)), None)


def included(root, source, quote, name):
    """The file in the tree an include names, as the compiler finds it (the includer's folder first for quotes,
    then the root); None for a standard or generated header, which lies on no floor."""
    folders = ([os.path.dirname(source)] if quote == '"' else []) + [""]
    for folder in folders:
        path = os.path.normpath(os.path.join(folder, name))
        if os.path.isfile(os.path.join(root, path)):
            return path.replace(os.sep, "/")
    return None


def wrong_way(root, source, rooms):
    with open(os.path.join(root, source), encoding="utf-8") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            target = match and included(root, source, *match.groups())
            if target and room(target) not in rooms:
                yield number, target


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    findings = 0
    for top in ("forms", "sound", "core", "ui"):
        for folder, _, names in sorted(os.walk(os.path.join(root, top))):
            for name in sorted(names):
                source = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                floor = floor_of(source) if name.endswith((".h", ".cpp", ".c")) else None
                if floor is None:
                    continue
                place, rooms = floor
                for number, target in wrong_way(root, source, rooms):
                    findings += 1
                    print(f"{source}:{number}: includes {target}, which {place} may not: {place} sees only "
                          f"{', '.join(rooms)}")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
