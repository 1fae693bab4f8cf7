#!/usr/bin/env python3
"""Every include points down the README's layout table.

The table's rows name a folder and, in the column "uses", the folders its
files may include besides their own. A file belongs to the row of the longest
folder that holds it; an include "x/y/z.h" names the row of the longest folder
that is a prefix of its path. The check fails on an include of a folder the
row does not list, on a folder with C++ files that no row names, and on a row
whose folder does not exist. A folder whose layer is the core includes no
Windows header: it reaches the machine through platform/ only.
"""
import pathlib
import re
import sys

SOURCES = (".cpp", ".h", ".c", ".rc")
# Not the product's layers: tests may include anything, the build tree is made.
OUTSIDE = ("tests", "build", "dist", ".git")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>", re.MULTILINE)
WINDOWS_HEADERS = re.compile(r"^(windows|win\w+|ole\w*|objbase|shl\w+|shellapi|commctrl|unknwn)\.h$", re.I)


def read_table(readme):
    """The layout table: folder -> the folders it may include."""
    rows, layers = {}, {}
    lines = readme.read_text(encoding="utf-8").splitlines()
    start = lines.index("## Layout")
    header = None
    for line in lines[start + 1:]:
        if line.startswith("## "):
            break
        if not line.startswith("|"):
            continue
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if header is None:
            header = cells
            continue
        if set(cells[0]) <= set("-: "):
            continue
        folder = cells[0].strip("`").rstrip("/")
        uses = cells[header.index("uses")]
        layers[folder] = cells[header.index("layer")]
        rows[folder] = {use.strip("`").rstrip("/") for use in re.findall(r"`([^`]+)`", uses)}
    return rows, layers


def row_of(path, rows):
    """The longest folder of the table that holds `path` (a relative path)."""
    best = None
    for folder in rows:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    rows, layers = read_table(root / "README.md")
    faults = []
    for folder in rows:
        if not (root / folder).is_dir():
            faults.append(f"README names {folder}/, which does not exist")
    for source in sorted(root.rglob("*")):
        relative = source.relative_to(root).as_posix()
        if source.suffix not in SOURCES or relative.split("/")[0] in OUTSIDE:
            continue
        own = row_of(relative, rows)
        if own is None:
            faults.append(f"{relative}: its folder is not in the README's layout table")
            continue
        text = source.read_text(encoding="utf-8", errors="replace")
        for included in INCLUDE.findall(text):
            if "/" not in included:
                continue  # beside the file: same folder
            target = row_of(included, rows)
            if target is None or (target != own and target not in rows[own]):
                faults.append(f"{relative}: includes {included}, outside what {own}/ uses")
        if layers[own].startswith("core"):
            for included in SYSTEM_INCLUDE.findall(text):
                if WINDOWS_HEADERS.match(included):
                    faults.append(f"{relative}: the core includes <{included}>")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include faults in {len(rows)} folders")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
