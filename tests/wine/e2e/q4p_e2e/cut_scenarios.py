"""The scenarios of a program killed in the middle of its work: setup.exe while it
installs, uninst.exe while it removes. Whatever the moment, the Uninstall entry must
still run and then leave nothing of the product behind."""

import contextlib
import os
import pathlib
import signal
import time

from . import constants
from .machine import Pc
from .registry import HKCU
from .scenarios import walk_to_summary
from .uninstall_scenarios import REMOVAL_TIMEOUT, code, install
from .uninstaller import leftovers, menu_folder
from .wizard import WizardRun

COPY_MARKER = b"/Q4P-COPY"  # the argument that tells uninst.exe it is the copy


def copies_of(session):
    """The Unix pids of uninst.exe's temporary copies running in this session's prefix:
    Wine starts every Windows process in a session of its own, so the copy is not in
    the started program's process group."""
    pids = []
    prefix = f"WINEPREFIX={session.prefix}".encode()
    for proc in pathlib.Path("/proc").iterdir():
        try:
            if (proc.name.isdigit() and COPY_MARKER in (proc / "cmdline").read_bytes()
                    and prefix in (proc / "environ").read_bytes().split(b"\0")):
                pids.append(int(proc.name))
        except OSError:
            pass
    return pids


def kill_when(session, process, ready, timeout=60):
    """Kills the program, its process group and the copies it runs (as a power cut
    would: no clean-up) as soon as ready() holds; answers whether it was still running
    then."""
    deadline = time.monotonic() + timeout
    while not ready() and process.poll() is None and time.monotonic() < deadline:
        time.sleep(0.002)
    running = process.poll() is None
    for pid in copies_of(session):
        with contextlib.suppress(ProcessLookupError):
            os.kill(pid, signal.SIGKILL)
    with contextlib.suppress(ProcessLookupError):
        os.killpg(process.pid, signal.SIGKILL)
    process.wait(timeout=10)
    return running


def finish_through_entry(ctx, pc, install_dir):
    """Runs the entry's quiet uninstall command, as the list of programs would, and
    checks that nothing of the product stays."""
    reg = ctx.registry()
    command = reg.string(HKCU, constants.UNINSTALL_KEY, "QuietUninstallString")
    ctx.expect.that(command is not None, "no Uninstall entry after the kill")
    if command is None:
        return
    # "<full path of uninst.exe>" /S
    program, _, rest = command.removeprefix('"').partition('"')
    finished = ctx.session.run([program, *rest.split()], timeout=REMOVAL_TIMEOUT)
    ctx.expect.equal(finished.returncode, code("removed"), "exit code of the entry's run")
    reg = ctx.registry()
    ctx.expect.equal(leftovers(ctx.session, reg, pc, install_dir), [], "left on the machine")


def setup_killed(ctx):
    """setup.exe killed while it places the files: the entry it already wrote removes
    all it placed, its copy temporaries included."""
    pc = Pc()
    ctx.prepare(pc)
    run = WizardRun(ctx.session, ctx.screen, ctx.artifacts / "install")
    run.start(ctx.setup_exe)
    install_dir = walk_to_summary(ctx, run, pc, pc.users[0])
    folder = ctx.session.unix_path(install_dir)
    ctx.screen.key("Return")
    # The uninstaller is the first file placed; the run is stopped a few files later.
    running = kill_when(ctx.session, run.process, lambda: (folder / "quinTool.dll").exists())
    ctx.expect.that(running, "setup.exe ended before it could be killed mid-run")
    finish_through_entry(ctx, pc, install_dir)


def uninstall_killed(ctx):
    """uninst.exe /S killed (with its temporary copy) while it removes: the entry still
    runs, finishes the job and deletes the copies the killed run left."""
    pc, install_dir = install(ctx)
    menu = ctx.session.unix_path(menu_folder(ctx.session, pc))
    removal = ctx.session.start([install_dir + "\\uninst.exe", "/S"])
    running = kill_when(ctx.session, removal, lambda: not (menu / "uninstall.lnk").exists())
    ctx.expect.that(running, "uninst.exe ended before it could be killed mid-removal")
    finish_through_entry(ctx, pc, install_dir)


SCENARIOS = {
    "setup-killed": setup_killed,
    "uninstall-killed": uninstall_killed,
}
