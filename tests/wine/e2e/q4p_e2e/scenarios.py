"""The end-to-end scenarios: a PC, a person's walk through the wizard, and what the
machine holds afterwards."""

import dataclasses
import pathlib

from . import checks, constants, machine
from .checks import Expect
from .machine import DEFAULT_INSTALL_DIR, HandheldUser, Pc
from .registry import HKCU, Registry
from .session import stop_process
from .ui import Screen, UiError
from .wizard import WizardRun, tag_of

INSTALL_TIMEOUT = 60


@dataclasses.dataclass
class Context:
    session: object
    build_dir: pathlib.Path
    artifacts: pathlib.Path
    expect: Expect = dataclasses.field(default_factory=Expect)
    screen: Screen = None

    def prepare(self, pc):
        machine.seed(self.session, pc, self.build_dir)
        self.setup_exe = machine.copy_media(self.session, self.build_dir)
        self.media = self.session.unix_path(machine.MEDIA_DIR)
        self.screen = Screen(self.session, self.build_dir / "testbin" / "q4p_probe.exe",
                             read_aloud=True)

    def wizard(self, run_name=""):
        return WizardRun(self.session, self.screen, self.artifacts / run_name)

    def registry(self):
        self.screen.close()
        self.expect.that(self.session.wait_idle(), "Wine did not come to rest after setup.exe")
        return Registry(self.session.prefix)


def expect_buttons(expect, visit, next_caption, back, cancel, next_enabled=True):
    """The button row of a page: Next's caption and state, and which of Back and Cancel show."""
    expect.equal(visit.button("next"), (next_caption, True, next_enabled),
                 f"{visit.frame}: Next (caption, visible, enabled)")
    expect.equal(visit.button("back")[1], back, f"{visit.frame}: Back visible")
    expect.equal(visit.button("cancel")[1], cancel, f"{visit.frame}: Cancel visible")


def expect_exit(expect, run, code):
    expect.equal(run.exit_code, code, "setup.exe exit code")


def expect_not_installed(ctx, reg, unregistered=1):
    """What a wizard left without an installation: the clean-up ran, the product key is
    there but empty (left by the presence test), nothing was placed."""
    expect = ctx.expect
    checks.check_unregistered(expect, reg, unregistered)
    expect.equal(reg.key(HKCU, constants.PRODUCT_KEY), {}, "product key (created empty)")
    expect.that(not ctx.session.unix_path(DEFAULT_INSTALL_DIR).exists(),
                "the install folder was made")
    expect.equal(reg.subkeys(HKCU, machine.STANDINS + "\\Conduits"), [], "conduit registrations")


# The keyboard's round on the folder page: the page's controls, then the buttons
# in the window's Tab order.
FOLDER_PAGE_TABS = ["dirName", "drive", "dirList", "cancel", "back", "next"]


def expect_tab_round(ctx, run, names):
    """Tab walks `names` in that order, as a round from wherever the focus is, and
    comes back to where it started."""
    seen = [run.screen.state()["focus"]]
    for _ in names:
        run.screen.key("Tab")
        seen.append(run.screen.wait_for("the focus to move on Tab",
                                        lambda s: s.get("focus") != seen[-1])["focus"])
    rounds = [names[i:] + names[:i] for i in range(len(names))]
    ctx.expect.that(seen[1:] in rounds and seen[0] == seen[-1],
                    f"Tab order {seen}, expected a round of {names}")


# The window's children in the order Tab and a screen reader walk them: every page
# before the buttons (a reader meets a page's text first), the pages with controls
# as the eye reads them.
KEYBOARD_PAGES = ["FrameChooseDir", "FrameChooseUser", "FrameListFiles", "FrameFinal"]
BUTTONS = ["cancel", "back", "next"]


def expect_keyboard_stack(ctx, state):
    """Pages made after the window first shows take their place before the buttons."""
    names = [constants.FRAMES.get(child, child) for child in state["stack"]]
    ctx.expect.equal(names[-len(BUTTONS):], BUTTONS, f"the buttons last among {names}")
    ctx.expect.equal([n for n in names if n in KEYBOARD_PAGES], KEYBOARD_PAGES,
                     "the pages with controls in keyboard order")


# The folder page's access keys (the underlined letters of its labels) and
# the control each moves the focus to.
FOLDER_PAGE_KEYS = [("alt+d", "drive"), ("alt+l", "dirList"), ("alt+f", "dirName")]


def expect_access_keys(ctx, run, keys):
    """Each Alt+letter moves the focus to its control."""
    for key, name in keys:
        run.screen.key(key)
        try:
            run.screen.wait_for(f"{key} to reach {name}", lambda s: s.get("focus") == name,
                                timeout=5)
        except UiError:
            ctx.expect.that(False, f"{key} left the focus on {run.screen.state().get('focus')}, "
                                   f"not {name}")


def expect_folder_opens(ctx, run):
    """Enter in the folder list opens the entry selected: the list holds the root of C:
    (open) and its folders, Program Files first."""
    for key in ("alt+l", "Home", "Down", "Return"):
        run.screen.key(key)
    try:
        run.screen.wait_for("Program Files to open",
                            lambda s: s["dirName"]["text"].lower() == "c:\\program files",
                            timeout=5)
    except UiError:
        ctx.expect.that(False, "Enter in the folder list left the folder box at "
                               f"{run.screen.state()['dirName']['text']!r}")


def walk_to_summary(ctx, run, pc, user, typed_folder=None, tab_round=False):
    """Welcome, folder, user, summary, checking each page on the way. Answers the folder."""
    expect = ctx.expect
    expect_buttons(expect, run.current, "Next", back=False, cancel=True)
    folder_page = run.press_next("FrameChooseDir")
    expect_buttons(expect, folder_page, "Next", back=True, cancel=True)
    if tab_round:
        # The page's controls are made after the window first shows.
        expect_keyboard_stack(ctx, run.screen.state())
        expect_tab_round(ctx, run, FOLDER_PAGE_TABS)
        expect_access_keys(ctx, run, FOLDER_PAGE_KEYS)
    expect.equal(folder_page.state["dirName"]["text"], DEFAULT_INSTALL_DIR, "folder text box")
    install_dir = DEFAULT_INSTALL_DIR
    if tab_round:
        expect_folder_opens(ctx, run)
        typed_folder = typed_folder or DEFAULT_INSTALL_DIR
    if typed_folder:
        run.type_folder(typed_folder)
        install_dir = typed_folder

    user_page = run.press_next("FrameChooseUser")
    expect_buttons(expect, user_page, "Next", back=True, cancel=True, next_enabled=False)
    listed = sorted((u.name for u in pc.users), key=str.lower)
    expect.equal(user_page.state["listUsers"]["items"], listed, "handheld users listed")
    expect.equal(user_page.state["listUsers"]["selected"], -1, "user selected before a pick")
    run.pick_user(user.name)

    summary = run.press_next("FrameListFiles")
    expect_buttons(expect, summary, "Install", back=True, cancel=True)
    startup = machine.XLSTART_DIR if pc.spreadsheet else ""
    excel_dir = machine.OFFICE_DIR + "\\" if pc.spreadsheet else ""
    expect.equal(summary.state["listaFicheiros"]["text"],
                 checks.summary_lines(startup, excel_dir, "C:\\windows", user.directory,
                                      install_dir), "summary text")
    return install_dir


def install_and_exit(ctx, run):
    final = run.press_next("FrameFinal", timeout=INSTALL_TIMEOUT)
    expect_buttons(ctx.expect, final, "Exit", back=False, cancel=False)
    incomplete = final.state["incompleteList"]
    ctx.expect.that(incomplete is None or not incomplete["visible"],
                    f"completion page lists what was not placed: {incomplete}")
    run.leave("Return")
    expect_exit(ctx.expect, run, constants.EXIT_INSTALLED)


def check_installed(ctx, reg, pc, user, install_dir, queued=True, conduit_calls=1):
    expect, session = ctx.expect, ctx.session
    checks.check_product_files(expect, session, install_dir, ctx.media)
    checks.check_spreadsheet_files(expect, session, ctx.media)
    checks.check_handheld(expect, session, reg, pc, user.name, install_dir, queued)
    checks.check_shortcuts(expect, session, pc, install_dir, user.directory)
    checks.check_conduit(expect, reg, install_dir, conduit_calls)
    checks.check_product_values(expect, reg, install_dir)
    checks.check_nothing_in_windows(expect, session)
    checks.check_unregistered(expect, reg, 0)


# ---- the scenarios


def typical(ctx):
    pc = Pc()
    ctx.prepare(pc)
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    user = pc.users[0]
    install_dir = walk_to_summary(ctx, run, pc, user, tab_round=True)
    # Back from the summary: the user list is rebuilt, nothing picked, Next disabled.
    again = run.press_back("FrameChooseUser")
    ctx.expect.equal((again.state["listUsers"]["selected"], again.button("next")[2]),
                     (-1, False), "user page after Back (selection, Next enabled)")
    run.pick_user(user.name)
    run.press_next("FrameListFiles")
    install_and_exit(ctx, run)
    ctx.expect.equal(run.frames, ["FrameWelcome", "FrameChooseDir", "FrameChooseUser",
                                  "FrameListFiles", "FrameChooseUser", "FrameListFiles",
                                  "FrameFinal"], "pages seen")
    check_installed(ctx, ctx.registry(), pc, user, install_dir)


def no_handheld_desktop(ctx):
    ctx.prepare(Pc(handheld_desktop=False))
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    stop = run.press_next("FrameNFDesktop")
    expect_buttons(ctx.expect, stop, "Exit", back=False, cancel=False)
    run.leave("Return")
    expect_exit(ctx.expect, run, constants.EXIT_STOPPED)
    expect_not_installed(ctx, ctx.registry())


def no_spreadsheet_no_pdf(ctx):
    ctx.prepare(Pc(spreadsheet=False, pdf_reader=False))
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    expect_buttons(ctx.expect, run.press_next("FrameNFExcel"), "Next", back=True, cancel=True)
    expect_buttons(ctx.expect, run.press_next("FrameNFAcrobat"), "Next", back=True, cancel=True)
    # Back from a notice page returns to the welcome page, and the tests run again.
    run.press_back("FrameWelcome")
    run.press_next("FrameNFExcel")
    run.press_next("FrameNFAcrobat")
    run.press_next("FrameChooseDir")
    run.leave("Escape")
    ctx.expect.equal(run.frames, ["FrameWelcome", "FrameNFExcel", "FrameNFAcrobat",
                                  "FrameWelcome", "FrameNFExcel", "FrameNFAcrobat",
                                  "FrameChooseDir"], "pages seen")
    expect_exit(ctx.expect, run, constants.EXIT_CANCELLED)
    expect_not_installed(ctx, ctx.registry())


def excel_open(ctx):
    ctx.prepare(Pc())
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    spreadsheet = ctx.session.start([str(ctx.build_dir / "testbin" / "open_window.exe"),
                                     "Microsoft Excel - Book1", "90"])
    try:
        ready = spreadsheet.stdout.readline().decode(errors="replace").strip()
        ctx.expect.equal(ready, "ready", "the spreadsheet window opened")
        ctx.screen.focus(run.current.state)
        stop = run.press_next("FrameCloseExcel")
        expect_buttons(ctx.expect, stop, "Exit", back=False, cancel=False)
        run.leave("Return")
    finally:
        stop_process(spreadsheet)
    expect_exit(ctx.expect, run, constants.EXIT_STOPPED)
    expect_not_installed(ctx, ctx.registry())


def cancel_clean(ctx):
    pc = Pc(quinfrm_in_windows=True)
    ctx.prepare(pc)
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    walk_to_summary(ctx, run, pc, pc.users[0])
    # A command from no control (a menu's, an accelerator's, another program's)
    # reaches every page and changes nothing.
    state = ctx.screen.notify_pages()
    if run.process.poll() is not None or state.get("page") != tag_of("FrameListFiles"):
        raise UiError(f"a command from no control ended, stopped or moved the wizard: {state}")
    run.leave("Escape")
    expect_exit(ctx.expect, run, constants.EXIT_CANCELLED)
    reg = ctx.registry()
    expect_not_installed(ctx, reg)
    ctx.expect.that(not (ctx.session.unix_path("C:\\windows") / "QuinFrm.dll").exists(),
                    "QuinFrm.dll is still in the Windows folder")
    checks.check_nothing_handed_over(ctx.expect, ctx.session, reg, pc)


def second_install(ctx):
    pc = Pc()
    ctx.prepare(pc)
    user = pc.users[0]
    first = ctx.wizard("first")
    first.start(ctx.setup_exe)
    install_dir = walk_to_summary(ctx, first, pc, user)
    install_and_exit(ctx, first)

    folder = ctx.session.unix_path(install_dir)
    (folder / "license.txt").write_bytes(b"changed since the first installation")
    (folder / "notes.txt").write_bytes(b"the user's own file")
    machine.import_reg(ctx.session, f'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\{constants.PRODUCT_KEY}]'
                       '\r\n"LastUserName"="Marta Costa"\r\n\r\n')

    second = ctx.wizard("second")
    second.start(ctx.setup_exe)
    walk_to_summary(ctx, second, pc, user)
    install_and_exit(ctx, second)
    reg = ctx.registry()

    ctx.expect.equal(checks.names(folder), sorted(constants.INSTALLED + ["notes.txt"]),
                     "install folder after the second installation")
    (folder / "notes.txt").unlink()
    check_installed(ctx, reg, pc, user, install_dir, conduit_calls=2)


def queue_refuses(ctx):
    pc = Pc(users=[HandheldUser("Marta Costa", machine.PALM_DIR + "\\CostaM", refuse=True),
                   HandheldUser("alex", machine.PALM_DIR + "\\alex")],
            folders=["C:\\Apps"])
    ctx.prepare(pc)
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    user = pc.users[0]
    install_dir = walk_to_summary(ctx, run, pc, user, typed_folder="C:\\Apps\\Quintara4Palm")
    install_and_exit(ctx, run)
    check_installed(ctx, ctx.registry(), pc, user, install_dir, queued=False)


def closed(ctx):
    """Alt+F4 closes the window without going through Cancel: no clean-up runs, so
    QuinFrm stays registered and no product key is made."""
    ctx.prepare(Pc())
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    run.press_next("FrameChooseDir")
    run.leave("alt+F4")
    expect_exit(ctx.expect, run, constants.EXIT_CANCELLED)
    reg = ctx.registry()
    checks.check_unregistered(ctx.expect, reg, 0)
    ctx.expect.equal(reg.key(HKCU, constants.PRODUCT_KEY), None, "product key")


def incomplete(ctx):
    """A file missing from the media: the run skips that copy, and the completion page
    and the exit code say so instead of reporting success."""
    pc = Pc()
    ctx.prepare(pc)
    (ctx.media / "Documentation.pdf").unlink()
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    user = pc.users[0]
    install_dir = walk_to_summary(ctx, run, pc, user)
    final = run.press_next("FrameFinal", timeout=INSTALL_TIMEOUT)
    expect_buttons(ctx.expect, final, "Exit", back=False, cancel=False)
    listed = final.state["incompleteList"]
    ctx.expect.that(listed is not None and listed["visible"], "the list of what was not "
                    "placed is not shown")
    if listed:
        ctx.expect.equal(listed["text"], install_dir + "\\Documentation.pdf",
                         "what was not placed")
    run.leave("Return")
    expect_exit(ctx.expect, run, constants.EXIT_INCOMPLETE)
    reg = ctx.registry()
    folder = ctx.session.unix_path(install_dir)
    ctx.expect.equal(checks.names(folder),
                     sorted(n for n in constants.INSTALLED if n != "Documentation.pdf"),
                     "files in the install folder")
    checks.check_handheld(ctx.expect, ctx.session, reg, pc, user.name, install_dir)
    checks.check_product_values(ctx.expect, reg, install_dir)
    checks.check_unregistered(ctx.expect, reg, 0)


def hostile_media(ctx):
    """Read-only media in a folder outside the system code page, an install folder that
    already holds the conduit's condmgr.dll, a second start while the first runs, and a
    second installation over the first: each ends soundly."""
    pc = Pc(folders=[DEFAULT_INSTALL_DIR])
    ctx.prepare(pc)
    media_dir = "C:\\Setup Files\\\u041a\u0432\u0430\u0440\u0442\u0438\u0440\u0430 \u6570\u636e"
    ctx.setup_exe = machine.copy_media(ctx.session, ctx.build_dir, media_dir, read_only=True)
    ctx.media = ctx.session.unix_path(media_dir)
    folder = ctx.session.unix_path(DEFAULT_INSTALL_DIR)
    (folder / "condmgr.dll").write_bytes(b"MZ the handheld desktop's own")
    user = pc.users[0]

    first = ctx.wizard("first")
    first.start(ctx.setup_exe)
    again = ctx.session.start([ctx.setup_exe])
    try:
        code = again.wait(timeout=30)
    except Exception:
        stop_process(again)
        code = None
    # A Unix parent sees only the low eight bits of a Windows exit code.
    ctx.expect.equal(code, constants.EXIT_ALREADY_RUNNING & 0xFF, "exit code of a second start")
    ctx.expect.that(first.process.poll() is None, "the first setup ended on a second start")
    install_dir = walk_to_summary(ctx, first, pc, user)
    install_and_exit(ctx, first)

    second = ctx.wizard("second")
    second.start(ctx.setup_exe)
    walk_to_summary(ctx, second, pc, user)
    install_and_exit(ctx, second)
    reg = ctx.registry()

    ctx.expect.equal((folder / "condmgr.dll").read_bytes(), b"MZ the handheld desktop's own",
                     "the condmgr.dll that was there before")
    ctx.expect.equal(checks.names(folder), sorted(constants.INSTALLED + ["condmgr.dll"]),
                     "install folder after two installations from read-only media")
    writable = [n for n in constants.INSTALLED if (folder / n).stat().st_mode & 0o200]
    ctx.expect.equal(writable, constants.INSTALLED, "installed files that are writable")
    (folder / "condmgr.dll").unlink()
    expect, session = ctx.expect, ctx.session
    checks.check_product_files(expect, session, install_dir, ctx.media)
    checks.check_spreadsheet_files(expect, session, ctx.media)
    checks.check_shortcuts(expect, session, pc, install_dir, user.directory)
    checks.check_conduit(expect, reg, install_dir, calls=2)
    checks.check_product_values(expect, reg, install_dir)
    checks.check_nothing_in_windows(expect, session)
    # The install aide takes paths in the system code page, which cannot hold the media
    # folder's: the databases queued from there go to the user's Install folder instead.
    queue = reg.key(HKCU, f"{machine.DESKTOP_KEY}\\Users\\0\\Queue") or {}
    expect.equal(sorted(n.lower() for n in queue), ["mathlib.prc", "quintara.prc"],
                 "files queued from the install folder")
    expect.equal(checks.names(session.unix_path(user.directory + "\\Install")),
                 ["CarLoan.pdb", "Conversion.pdb", "Planets.pdb"], "databases copied instead")


def folder_outside_code_page(ctx):
    """An install folder typed in Cyrillic and CJK on a Western code page: the box keeps
    the characters and the product files land there, but the steps that hand the folder
    to the single-byte outside libraries fail and are listed, and it is not recorded."""
    pc = Pc(folders=["C:\\Apps"])
    ctx.prepare(pc)
    run = ctx.wizard()
    run.start(ctx.setup_exe)
    user = pc.users[0]
    typed = "C:\\Apps\\\u041a\u0432\u0430\u0440\u0442\u0438\u0440\u0430 \u6570\u636e"
    install_dir = walk_to_summary(ctx, run, pc, user, typed_folder=typed)
    final = run.press_next("FrameFinal", timeout=INSTALL_TIMEOUT)
    listed = final.state["incompleteList"]
    menu = pc.programs_dir(ctx.session) + "\\Quintara4Palm"
    ctx.expect.equal(listed and listed["text"].split("\r\n"),
                     ["conduit registration", "shortcut " + menu + "\\Documentation",
                      "shortcut " + menu + "\\uninstall", "registry value installdir"],
                     "what was not placed")
    run.leave("Return")
    expect_exit(ctx.expect, run, constants.EXIT_INCOMPLETE)
    reg = ctx.registry()
    checks.check_product_files(ctx.expect, ctx.session, install_dir, ctx.media)
    ctx.expect.equal(reg.value(HKCU, constants.PRODUCT_KEY, "installdir"), None,
                     "installdir recorded")
    ctx.expect.equal(reg.subkeys(HKCU, machine.STANDINS + "\\Conduits"), [],
                     "conduit registrations")


SCENARIOS = {
    "typical": typical,
    "no-handheld-desktop": no_handheld_desktop,
    "no-spreadsheet-no-pdf": no_spreadsheet_no_pdf,
    "excel-open": excel_open,
    "cancel-clean": cancel_clean,
    "second-install": second_install,
    "queue-refuses": queue_refuses,
    "incomplete": incomplete,
    "closed": closed,
    "hostile-media": hostile_media,
    "folder-outside-code-page": folder_outside_code_page,
}
