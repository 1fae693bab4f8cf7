"""The end-to-end scenarios of uninst.exe: an installation made through the wizard, then
removed through the uninstaller's window or silently, and what the machine holds
afterwards. Each scenario groups several checks, as a person would try them in turn."""

from . import checks, constants, machine
from .machine import Pc
from .registry import HKCU
from .scenarios import install_and_exit, walk_to_summary
from .session import stop_process
from .uninstaller import (ADD_IN, UninstallRun, leftovers, menu_folder, temporary_copies,
                          uninstaller_from_menu, what_may_stay)
from .ui import Screen
from .wizard import WizardRun

REMOVAL_TIMEOUT = 60


def code(name):
    """uninst.exe's exit code of that name ("removed", "cancelled", ...)."""
    return constants.UNINSTALL_EXIT[name]


def install(ctx, pc=None):
    """The typical installation through the wizard; answers (pc, install folder)."""
    pc = pc or Pc()
    ctx.prepare(pc)
    run = WizardRun(ctx.session, ctx.screen, ctx.artifacts / "install")
    run.start(ctx.setup_exe)
    install_dir = walk_to_summary(ctx, run, pc, pc.users[0])
    install_and_exit(ctx, run)
    return pc, install_dir


def uninstall_screen(ctx):
    ctx.screen.close()
    ctx.screen = Screen(ctx.session, ctx.build_dir / "testbin" / "q4p_probe.exe",
                        window=constants.UNINSTALL_CAPTION, read_aloud=True)
    return ctx.screen


def expect_buttons(expect, visit, default, cancel):
    expect.equal(visit.button("next"), (default, True, True), f"{visit.frame}: default button")
    expect.equal(visit.button("cancel")[1], cancel, f"{visit.frame}: Cancel visible")
    expect.equal(visit.button("back")[1], False, f"{visit.frame}: Back visible")


def expect_removed(ctx, pc, install_dir, unregistered=1):
    """Nothing of the product but what no uninstaller can take back."""
    reg = ctx.registry()
    ctx.expect.equal(leftovers(ctx.session, reg, pc, install_dir), [], "left on the machine")
    may_stay = what_may_stay(reg, pc)
    ctx.expect.that(any("handheld files" in s for s in may_stay) and
                    any("conduit" in s for s in may_stay),
                    f"the handheld files and the conduit stay for the handheld: {may_stay}")
    checks.check_unregistered(ctx.expect, reg, unregistered)
    ctx.expect.that(len(temporary_copies(ctx.session)) <= 1,
                    f"temporary copies: {temporary_copies(ctx.session)}")
    return reg


def confirm_page(ctx, run, pc, install_dir):
    """The confirmation lists the folders it removes from, and waits."""
    confirm = run.current
    expect_buttons(ctx.expect, confirm, "Remove", cancel=True)
    ctx.expect.equal(confirm.state["title"], constants.UNINSTALL_CAPTION, "window title")
    listed = (confirm.state["folderList"] or {}).get("text", "").split("\r\n")
    for folder in [install_dir, menu_folder(ctx.session, pc), machine.OFFICE_DIR,
                   machine.XLSTART_DIR]:
        ctx.expect.that(folder in listed, f"{folder} not listed on the confirmation: {listed}")


def second_uninstall(ctx, uninst_exe, run_name):
    """Nothing is recorded any more: the window says so, Exit ends with 5."""
    run = UninstallRun(ctx.session, uninstall_screen(ctx), ctx.artifacts / run_name)
    nothing = run.start(uninst_exe, first="FrameNothing")
    expect_buttons(ctx.expect, nothing, "Exit", cancel=False)
    run.leave("Return")
    ctx.expect.equal(run.exit_code, code("nothing-installed"), "exit code with nothing installed")


# ---- the scenarios


def uninstall_window(ctx):
    """Install, then the Start menu's uninstaller: a second start raises the first and
    ends; Remove, Exit; nothing of the product stays but the handheld files and the
    conduit; a second uninstall finds nothing."""
    pc, install_dir = install(ctx)
    target = uninstaller_from_menu(ctx, pc)
    ctx.expect.equal(target.lower(), (install_dir + "\\uninst.exe").lower(),
                     "the uninstall shortcut's target")
    run = UninstallRun(ctx.session, uninstall_screen(ctx), ctx.artifacts / "uninstall")
    run.start(target)
    confirm_page(ctx, run, pc, install_dir)

    again = ctx.session.start([target])
    try:
        second = again.wait(timeout=30)
    except Exception:
        stop_process(again)
        second = None
    # A Unix parent sees only the low eight bits of a Windows exit code.
    ctx.expect.equal(second, code("already-running") & 0xFF, "exit code of a second start")
    ctx.expect.equal(ctx.screen.state().get("page"), "uninstConfirm",
                     "the first uninstaller after a second start")

    done = run.press_next("FrameDone", timeout=REMOVAL_TIMEOUT)
    expect_buttons(ctx.expect, done, "Exit", cancel=False)
    lines = run.stay_lines()
    ctx.expect.that(not any("Stays:" in line for line in lines), f"listed as staying: {lines}")
    ctx.expect.that(any(pc.users[0].name in line for line in lines),
                    f"the handheld files are not named with how to remove them: {lines}")
    ctx.expect.that(any("conduit" in line for line in lines), f"the conduit is not named: {lines}")
    run.leave("Return")
    ctx.expect.equal(run.exit_code, code("removed"), "exit code after Remove")
    expect_removed(ctx, pc, install_dir)

    second_uninstall(ctx, machine.MEDIA_DIR + "\\uninst.exe", "again")


def uninstall_kept(ctx):
    """Cancel touches nothing. Then a file of the user's in the install folder, a changed
    add-in in the start-up folder and a product file held open without sharing: each is
    left and listed, the folder kept with them, the rest removed, exit code 4."""
    pc, install_dir = install(ctx)
    folder = ctx.session.unix_path(install_dir)
    (folder / "notes.txt").write_bytes(b"the user's own file")
    add_in = ctx.session.unix_path(machine.XLSTART_DIR) / ADD_IN
    add_in.write_bytes(b"another program's newer add-in")
    uninst_exe = install_dir + "\\uninst.exe"
    before = snapshot(ctx, pc, install_dir)

    cancelled = UninstallRun(ctx.session, uninstall_screen(ctx), ctx.artifacts / "cancel")
    cancelled.start(uninst_exe)
    cancelled.leave("Escape")
    ctx.expect.equal(cancelled.exit_code, code("cancelled"), "exit code after Cancel")
    ctx.expect.that(snapshot(ctx, pc, install_dir) == before, "Cancel changed the machine")

    licence = next(n for n in constants.INSTALLED if n.lower() == "license.txt")
    held = install_dir + "\\" + licence
    holder = ctx.session.start([str(ctx.build_dir / "testbin" / "hold_file.exe"), held, "120"],
                               stdin=True)
    try:
        ready = holder.stdout.readline().decode(errors="replace").strip()
        ctx.expect.equal(ready, "ready", f"{licence} held open")
        run = UninstallRun(ctx.session, uninstall_screen(ctx), ctx.artifacts / "uninstall")
        run.start(uninst_exe)
        run.press_next("FrameDone", timeout=REMOVAL_TIMEOUT)
        lines = run.stay_lines()
        for what in [held, install_dir, machine.XLSTART_DIR + "\\" + ADD_IN]:
            index = lines.index(what) if what in lines else -1
            ctx.expect.that(index >= 0 and lines[index + 1].strip().startswith("Stays:"),
                            f"{what} is not listed with why it stays: {lines}")
        run.leave("Return")
        ctx.expect.equal(run.exit_code, code("something-stays"), "exit code with files kept")
    finally:
        holder.stdin.close()
        stop_process(holder)

    reg = ctx.registry()
    ctx.expect.equal(checks.names(folder), [licence, "notes.txt"], "install folder kept with")
    ctx.expect.equal(add_in.read_bytes(), b"another program's newer add-in", "the changed add-in")
    ctx.expect.equal(leftovers(ctx.session, reg, pc, install_dir),
                     [f"{install_dir} holds: {licence}, notes.txt",
                      f"{machine.XLSTART_DIR}\\{ADD_IN}"], "left on the machine")


def uninstall_silent(ctx):
    """A bad argument touches nothing (1); /S removes without a window (0); a second /S
    finds nothing (5)."""
    pc, install_dir = install(ctx)
    uninst_exe = install_dir + "\\uninst.exe"
    bad = ctx.session.run([uninst_exe, "/X"], timeout=60)
    ctx.expect.equal(bad.returncode, code("bad-argument"), "exit code of a bad argument")
    checks.check_product_files(ctx.expect, ctx.session, install_dir, ctx.media)

    silent = ctx.session.run([uninst_exe, "/S"], timeout=REMOVAL_TIMEOUT)
    ctx.expect.equal(silent.returncode, code("removed"), "exit code of /S")
    expect_removed(ctx, pc, install_dir)

    again = ctx.session.run([machine.MEDIA_DIR + "\\uninst.exe", "/S"], timeout=60)
    ctx.expect.equal(again.returncode, code("nothing-installed"), "exit code of a second /S")


def snapshot(ctx, pc, install_dir):
    """The product's files (with their content) and registry keys, to compare."""
    session = ctx.session
    files = {}
    for folder in [install_dir, menu_folder(session, pc), machine.OFFICE_DIR,
                   machine.XLSTART_DIR]:
        path = session.unix_path(folder)
        for name in checks.names(path):
            if (path / name).is_file():
                files[f"{folder}\\{name}"] = (path / name).read_bytes()
    reg = ctx.registry()
    keys = {key: reg.key(HKCU, key) for key in
            [constants.PRODUCT_KEY, constants.UNINSTALL_KEY, machine.QUINFRM_KEY]}
    for sub in reg.subkeys(HKCU, constants.UNINSTALL_KEY):
        keys[sub] = reg.key(HKCU, f"{constants.UNINSTALL_KEY}\\{sub}")
    return files, keys


SCENARIOS = {
    "uninstall-window": uninstall_window,
    "uninstall-kept": uninstall_kept,
    "uninstall-silent": uninstall_silent,
}
