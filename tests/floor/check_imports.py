#!/usr/bin/env python3
"""Fails when a program or library of the media imports a function that the oldest
Windows it runs on does not export.

  check_imports.py OBJDUMP MEDIA_DIR FLOOR_LIST

Reads the import tables with objdump -p and compares every "LIBRARY Function" with
FLOOR_LIST. Prints each unknown import with the files that need it.
"""

import pathlib
import re
import subprocess
import sys

# objdump -p: "\tDLL Name: KERNEL32.dll", then one "\t<vma>\t  <hint>  <name>" per
# function; an import by ordinal has no name and is listed as "<ordinal>".
DLL_LINE = re.compile(r"^\tDLL Name: (\S+)")
NAME_LINE = re.compile(r"^\t[0-9a-f]+\t +\d+ +(\S+)")


def imports_of(objdump, image):
    text = subprocess.run([objdump, "-p", str(image)], check=True, capture_output=True,
                          text=True).stdout
    found, library = set(), None
    for line in text.splitlines():
        match = DLL_LINE.match(line)
        if match:
            library = match.group(1).upper()
            continue
        match = NAME_LINE.match(line)
        if match and library:
            found.add((library, match.group(1)))
    return found


def floor_list(path):
    allowed = set()
    for line in pathlib.Path(path).read_text().splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            library, function = line.split()
            allowed.add((library.upper(), function))
    return allowed


def main(objdump, media, floor):
    images = sorted(p for p in pathlib.Path(media).iterdir()
                    if p.suffix.lower() in (".exe", ".dll"))
    if not images:
        print(f"no programs or libraries in {media}")
        return 1
    allowed = floor_list(floor)
    needed_by = {}
    for image in images:
        found = imports_of(objdump, image)
        if not found:
            print(f"{image.name}: no imports read (is it a PE image?)")
            return 1
        for entry in found - allowed:
            needed_by.setdefault(entry, []).append(image.name)
    for (library, function), names in sorted(needed_by.items()):
        print(f"{library} {function}: not on the floor list, imported by {', '.join(names)}")
    print(f"{len(images)} images, {len(needed_by)} imports beyond the floor")
    return 1 if needed_by else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
