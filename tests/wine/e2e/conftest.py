"""Fixtures of the end-to-end scenarios: the build tree, the X display, the Wine
prefix, and a scenario's context.

Inside tests/wine/wine-session (--in-session) the display and the prefix are the
session's; otherwise each scenario gets its own Xvfb and a fresh prefix copied
from the template under <build>/wine-templates.
"""

import os
import pathlib
import shutil
import sys

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from q4p_e2e import constants, machine, scenarios  # noqa: E402
from q4p_e2e.session import Session, arch_of_build, check_display, start_xvfb, stop_process  # noqa: E402,E501


def pytest_addoption(parser):
    parser.addoption("--build-dir", required=True, type=pathlib.Path)
    parser.addoption("--in-session", action="store_true",
                     help="use the prefix and display exported by tests/wine/wine-session")
    parser.addoption("--keep-prefix", action="store_true",
                     help="leave an own prefix in place for inspection")


@pytest.fixture(scope="session")
def build_dir(request):
    build = request.config.getoption("--build-dir").resolve()
    constants.use(build)
    return build


@pytest.fixture
def scenario_name(request):
    return request.node.callspec.params["scenario"]


@pytest.fixture
def display(request):
    """The X display the scenario's windows open on."""
    if request.config.getoption("--in-session"):
        check_display(os.environ["DISPLAY"])
        yield os.environ["DISPLAY"]
        return
    xvfb, number = start_xvfb()
    yield number
    stop_process(xvfb)


@pytest.fixture
def session(request, build_dir, display, scenario_name):
    """The Wine prefix the scenario plays its PC in."""
    arch = arch_of_build(build_dir)
    if request.config.getoption("--in-session"):
        yield Session.from_environment(arch)
        return
    own = Session.create(arch, build_dir / "e2e-prefixes" / scenario_name,
                         build_dir / "wine-templates", display=display)
    yield own
    own.close(remove_prefix=not request.config.getoption("--keep-prefix"))


@pytest.fixture
def artifacts(build_dir, scenario_name):
    """Where the screenshots of every page passed go."""
    folder = build_dir / "e2e-artifacts" / (("wow64-" if machine.WOW64 else "") + scenario_name)
    for old in folder.glob("*"):
        if old.is_dir():
            shutil.rmtree(old)
        elif old.suffix == ".png":
            old.unlink()
    folder.mkdir(parents=True, exist_ok=True)
    return folder


@pytest.fixture
def ctx(session, build_dir, artifacts):
    context = scenarios.Context(session, build_dir, artifacts)
    yield context
    if context.screen is not None:
        context.screen.close()
