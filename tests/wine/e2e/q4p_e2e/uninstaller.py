"""uninst.exe as a person meets it: its window walked page by page (as wizard.py walks
setup.exe), and what the machine holds of the product afterwards."""

import time

from . import checks, constants, machine
from .registry import HKCU, HKLM
from .wizard import WizardRun

SPREADSHEET_FILES = ["QuinConv.dll", "instaide.dll"]  # placed in the spreadsheet's folder
ADD_IN = "Quin4P.xla"  # placed in its start-up folder
MAKER_KEY = "Software\\Quintara"
# CurrentControlSet is a link; Wine's registry file keeps the set it points to.
PENDING_KEYS = ["System\\ControlSet001\\Control\\Session Manager",
                "System\\CurrentControlSet\\Control\\Session Manager"]


class UninstallRun(WizardRun):
    """One start of uninst.exe with its window; the window belongs to the temporary copy
    the started program runs, which the started program waits for."""

    program = "uninst.exe"

    def page_table(self):
        return constants.UNINSTALL_FRAMES

    def page_texts(self):
        return constants.UNINSTALL_PAGE_TEXTS

    def start(self, uninst_exe, first="FrameConfirm", timeout=40):
        """Starts uninst.exe and waits for its first page (with first None, whichever
        it shows)."""
        self.started = time.monotonic()
        self.process = self.session.start([uninst_exe])
        state = self.screen.wait_for("the uninstaller window", lambda s: self.still_running()
                                     and s.get("ready") and s.get("page") is not None, timeout)
        return self.arrive(first or self.page_table().get(state["page"], state["page"]))

    def stay_lines(self):
        """The result page's list, line by line; [] when it is not shown."""
        listed = self.current.state.get("stayList")
        if not listed or not listed["visible"]:
            return []
        return listed["text"].split("\r\n")


def menu_folder(session, pc):
    return pc.programs_dir(session) + "\\Quintara4Palm"


def uninstaller_from_menu(ctx, pc):
    """The target of the Start menu's "uninstall" shortcut, as the shell reads the link."""
    link = menu_folder(ctx.session, pc) + "\\uninstall.lnk"
    result = ctx.session.run([str(ctx.build_dir / "testbin" / "link_target.exe"), link])
    return result.stdout.decode("utf-8", errors="replace").strip()


def temporary_copies(session):
    """uninst.exe's files in the temporary folders (the copy it ran, the original it
    moved out of the install folder)."""
    found = []
    for pattern in ["users/*/AppData/Local/Temp/q4u*.tmp", "users/*/Temp/q4u*.tmp",
                    "windows/temp/q4u*.tmp"]:
        found += sorted(session.drive_c.glob(pattern))
    return found


def pending_deletions(reg):
    """The files the system deletes at the next restart, as Windows paths in lower case."""
    paths = []
    for key in PENDING_KEYS:
        value = reg.value(HKLM, key, "PendingFileRenameOperations")
        if value is None or not isinstance(value.data, (str, bytes)):
            continue
        text = value.data if isinstance(value.data, str) else value.data.decode("utf-16-le",
                                                                                 "replace")
        paths += [p.lower().removeprefix("\\??\\") for p in text.split("\0") if p]
    return paths


def leftovers(session, reg, pc, install_dir):
    """Everything of the product still on the machine but what no uninstaller can take
    back (the handheld files, the conduit registration), one line each."""
    left = []
    folder = session.unix_path(install_dir)
    if folder.exists():
        left.append(f"{install_dir} holds: {', '.join(checks.names(folder)) or 'nothing'}")
    if pc.spreadsheet:
        office = checks.names(session.unix_path(machine.OFFICE_DIR))
        left += [f"{machine.OFFICE_DIR}\\{n}" for n in SPREADSHEET_FILES if n in office]
        if ADD_IN in checks.names(session.unix_path(machine.XLSTART_DIR)):
            left.append(f"{machine.XLSTART_DIR}\\{ADD_IN}")
    menu = menu_folder(session, pc)
    if session.unix_path(menu).exists():
        left.append(f"{menu} holds: {', '.join(checks.names(session.unix_path(menu))) or 'nothing'}")
    for key in [constants.PRODUCT_KEY, MAKER_KEY, constants.UNINSTALL_KEY]:
        if reg.key(HKCU, key) is not None:
            left.append(f"HKEY_CURRENT_USER\\{key}")
    if reg.string(HKCU, machine.QUINFRM_KEY, "Registered") == "1":
        left.append("QuinFrm.dll's registration")
    pending = pending_deletions(reg)
    for copy in temporary_copies(session):
        windows = "C:\\" + str(copy.relative_to(session.drive_c)).replace("/", "\\")
        if windows.lower() not in pending:
            left.append(f"{windows} (not even at the next restart)")
    return left


def what_may_stay(reg, pc):
    """What no uninstaller can take back, one line each: the handheld files handed over
    and the conduit registrations."""
    stays = []
    for index, user in enumerate(pc.users if pc.handheld_desktop else []):
        queue = reg.key(HKCU, f"{machine.DESKTOP_KEY}\\Users\\{index}\\Queue") or {}
        if queue:
            names = ", ".join(sorted(name for name, _ in queue.values()))
            stays.append(f"handheld files queued for {user.name}: {names}")
    for number in reg.subkeys(HKCU, machine.STANDINS + "\\Conduits"):
        folder = reg.string(HKCU, f"{machine.STANDINS}\\Conduits\\{number}", "Arg2")
        stays.append(f"conduit registration {number} (from {folder})")
    return stays
