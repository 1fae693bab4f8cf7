"""The product's constants as the build wrote them from the core's own tables
(write_constants.cpp): the page tags, the installed files, the registry key, the
web site and the exit codes. Read once, from the build tree named by use()."""

import json
import pathlib

_path = None
_values = None


def use(build_dir):
    """Reads the constants of this build tree from now on."""
    global _path, _values
    _path = pathlib.Path(build_dir) / "tests" / "wine" / "e2e" / "q4p_constants.json"
    _values = None


def __getattr__(name):
    global _values
    if _values is None:
        if _path is None:
            raise RuntimeError("q4p_e2e.constants: use(build_dir) was not called")
        _values = json.loads(_path.read_text())
    try:
        return _values[name]
    except KeyError:
        raise AttributeError(name) from None
