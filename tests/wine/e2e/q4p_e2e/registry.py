"""The prefix's registry: seeded through a .reg file, read back from Wine's own files.

Wine keeps the registry in system.reg (HKEY_LOCAL_MACHINE) and user.reg
(HKEY_CURRENT_USER) and writes them out once the last program has ended
(Session.wait_idle). Reading the files shows exactly what was stored: the value's
type, and whether a string was stored with its terminating NUL.
"""

import dataclasses
import re

HKLM = "HKEY_LOCAL_MACHINE"
HKCU = "HKEY_CURRENT_USER"
REG_SZ = 1
REG_EXPAND_SZ = 2
REG_BINARY = 3
REG_DWORD = 4


@dataclasses.dataclass
class Value:
    type: int
    data: object  # str for strings (without a terminating NUL), int, or bytes
    terminated: bool = True  # a string stored with its NUL


def reg_file(keys):
    """REGEDIT4 text for {(root, path): {name: str}}; the empty name is the default value."""
    lines = ["REGEDIT4", ""]
    for (root, path), values in keys.items():
        lines.append(f"[{root}\\{path}]")
        for name, data in values.items():
            escaped = data.replace("\\", "\\\\").replace('"', '\\"')
            label = "@" if name == "" else '"' + name.replace("\\", "\\\\").replace('"', '\\"') + '"'
            lines.append(f'{label}="{escaped}"')
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def _unescape(text):
    out, i = [], 0
    simple = {"\\": "\\", '"': '"', "n": "\n", "r": "\r", "t": "\t", "0": "\0", "a": "\a",
              "b": "\b", "e": "\x1b", "f": "\f", "v": "\v"}
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        nxt = text[i + 1] if i + 1 < len(text) else ""
        if nxt == "x":
            digits = re.match(r"[0-9a-fA-F]{1,4}", text[i + 2:])
            out.append(chr(int(digits.group(0), 16)))
            i += 2 + len(digits.group(0))
        elif nxt in simple:
            out.append(simple[nxt])
            i += 2
        else:
            out.append(nxt)
            i += 2
    return "".join(out)


def _quoted(text, start):
    """The quoted text starting at text[start] == '"': (raw inner text, index after)."""
    i = start + 1
    while i < len(text):
        if text[i] == "\\":
            i += 2
            continue
        if text[i] == '"':
            return text[start + 1:i], i + 1
        i += 1
    raise ValueError(f"unterminated string: {text[start:start + 40]}")


def _string_value(raw_bytes, type_):
    chars = raw_bytes.decode("utf-16-le", errors="replace")
    terminated = chars.endswith("\0")
    return Value(type_, chars[:-1] if terminated else chars, terminated)


def _parse_value(rest):
    if rest.startswith('"'):
        inner, _ = _quoted(rest, 0)
        return Value(REG_SZ, _unescape(inner))
    match = re.match(r"str\(([0-9a-fA-F]+)\):", rest)
    if match:
        inner, _ = _quoted(rest, match.end())
        return Value(int(match.group(1), 16), _unescape(inner))
    if rest.startswith("dword:"):
        return Value(REG_DWORD, int(rest[6:14], 16))
    match = re.match(r"hex(?:\(([0-9a-fA-F]+)\))?:(.*)", rest)
    if match:
        type_ = int(match.group(1), 16) if match.group(1) else REG_BINARY
        digits = [h for h in match.group(2).replace("\\", "").split(",") if h.strip()]
        data = bytes(int(h, 16) for h in digits)
        if type_ in (REG_SZ, REG_EXPAND_SZ):
            return _string_value(data, type_)
        return Value(type_, data)
    raise ValueError(f"unknown value form: {rest[:40]}")


def parse_reg(path):
    """{lower-case key path: {lower-case name: (name, Value)}} of one of Wine's registry files.

    Key paths are relative to the file's root, e.g. "software\\quintara\\quintara4palm".
    """
    keys = {}
    current = None
    pending = ""
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if pending:
                line = pending + line.lstrip()
                pending = ""
            if line.endswith("\\") and not line.startswith("["):
                pending = line[:-1]
                continue
            if line.startswith("["):
                end = line.rfind("]")
                current = _unescape(line[1:end]).lower()
                keys.setdefault(current, {})
            elif current is None or not line or line[0] in ";#":
                continue
            elif line.startswith("@="):
                keys[current][""] = ("", _parse_value(line[2:]))
            elif line.startswith('"'):
                inner, after = _quoted(line, 0)
                name = _unescape(inner)
                keys[current][name.lower()] = (name, _parse_value(line[after + 1:]))
    return keys


class Registry:
    """HKLM and HKCU of a prefix, as on disk after Session.wait_idle()."""

    def __init__(self, prefix):
        self.roots = {HKLM: parse_reg(prefix / "system.reg"), HKCU: parse_reg(prefix / "user.reg")}

    def key(self, root, path):
        """{lower-case name: (name, Value)}, or None when the key does not exist."""
        return self.roots[root].get(path.lower())

    def value(self, root, path, name):
        values = self.key(root, path) or {}
        entry = values.get(name.lower())
        return entry[1] if entry else None

    def string(self, root, path, name):
        value = self.value(root, path, name)
        return value.data if value is not None and isinstance(value.data, str) else None

    def subkeys(self, root, path):
        """Names of the direct sub-keys of a key, in Wine's (sorted) order."""
        prefix = path.lower() + "\\"
        out = []
        for key in self.roots[root]:
            if key.startswith(prefix):
                first = key[len(prefix):].split("\\", 1)[0]
                if first not in out:
                    out.append(first)
        return out
