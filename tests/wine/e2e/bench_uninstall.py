"""The uninstaller's figure for scripts/bench (bench.py): the time from Remove pressed
to the result page, against a plain rm of the same files, measured in bench.py's own
prefix; every run installs through the wizard first."""

import statistics
import subprocess
import time

from q4p_e2e import constants, machine
from q4p_e2e.ui import Screen, UiError
from q4p_e2e.uninstaller import ADD_IN, SPREADSHEET_FILES, UninstallRun, menu_folder
from q4p_e2e.wizard import WizardRun


def median_ms(samples):
    return statistics.median(samples) * 1000.0


def install(session, screen, setup_exe, pc, artifacts):
    run = WizardRun(session, screen, artifacts, log=False)
    run.start(setup_exe)
    run.press_next("FrameChooseDir")
    run.press_next("FrameChooseUser")
    run.pick_user(pc.users[0].name)
    run.press_next("FrameListFiles")
    run.press_next("FrameFinal", timeout=120)
    run.leave("Return")


def placed(session, pc):
    """{unix path: bytes} of every file the installation placed, and its own folders
    (deepest first)."""
    folders = [session.unix_path(machine.DEFAULT_INSTALL_DIR),
               session.unix_path(menu_folder(session, pc))]
    files = [p for folder in folders for p in folder.iterdir()]
    files += [session.unix_path(machine.OFFICE_DIR) / n for n in SPREADSHEET_FILES]
    files.append(session.unix_path(machine.XLSTART_DIR) / ADD_IN)
    return {p: p.read_bytes() for p in files}, folders


def time_rm(files, folders):
    """Puts the files back where they were, then times rm of them and rmdir of the folders."""
    for folder in folders:
        folder.mkdir(parents=True, exist_ok=True)
    for path, content in files.items():
        path.write_bytes(content)
    started = time.monotonic()
    subprocess.run(["rm", "-f", *[str(p) for p in files]], check=True)
    subprocess.run(["rmdir", *[str(f) for f in folders]], check=True)
    return time.monotonic() - started


def bench_removal(session, wizard_screen, setup_exe, pc, work, runs):
    """Remove pressed -> result page, against rm of the same files."""
    uninstall_screen = Screen(session, wizard_screen.probe_exe, window=constants.UNINSTALL_CAPTION)
    removals, rms, count = [], [], 0
    try:
        for n in range(runs):
            install(session, wizard_screen, setup_exe, pc, work / f"install-{n}")
            files, folders = placed(session, pc)
            count = len(files)
            run = UninstallRun(session, uninstall_screen, work / f"uninstall-{n}", log=False)
            run.start(machine.DEFAULT_INSTALL_DIR + "\\uninst.exe")
            started = time.monotonic()
            uninstall_screen.key("Return")
            uninstall_screen.wait_page("uninstDone", timeout=120, poll=0.01)
            removals.append(time.monotonic() - started)
            run.leave("Return", timeout=60)
            if run.exit_code != constants.UNINSTALL_EXIT["removed"]:
                raise UiError(f"uninst.exe ended with {run.exit_code}, not removed")
            rms.append(time_rm(files, folders))
    finally:
        uninstall_screen.close()
    return median_ms(removals), median_ms(rms), count
