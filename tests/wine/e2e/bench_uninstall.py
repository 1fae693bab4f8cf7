#!/usr/bin/env python3
"""The uninstaller's performance figures: the size of uninst.exe, and the time from
Remove pressed to the result page against a plain rm of the same files. Each timing
is the median of several runs in one prefix on its own Xvfb; every run installs
through the wizard first. A script, not a test:

  python3 tests/wine/e2e/bench_uninstall.py --build-dir build/win64 \\
      [--product-build-dir build/win32] [--runs 5]
"""

import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from q4p_e2e import constants, machine  # noqa: E402
from q4p_e2e.machine import Pc  # noqa: E402
from q4p_e2e.session import Session, SessionError, arch_of_build, stop_process  # noqa: E402
from q4p_e2e.ui import Screen, UiError  # noqa: E402
from q4p_e2e.uninstaller import ADD_IN, SPREADSHEET_FILES, UninstallRun, menu_folder  # noqa: E402
from q4p_e2e.wizard import WizardRun  # noqa: E402


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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True, type=pathlib.Path)
    parser.add_argument("--product-build-dir", type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    build_dir = args.build_dir.resolve()
    constants.use(build_dir)
    arch = arch_of_build(build_dir)
    work = build_dir / "bench-uninstall"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)

    print(f"Quintara4Palm Uninstall performance, median of {args.runs} runs, {arch} build "
          "under Wine")
    for label, folder in [("i686 (the product)", args.product_build_dir), (arch, build_dir)]:
        exe = folder / "media" / "uninst.exe" if folder else None
        if exe and exe.exists():
            print(f"  size of uninst.exe, {label:20} {exe.stat().st_size / 1024:8.1f} KiB")

    session = keeper = screen = None
    try:
        session = Session.create(arch, work / "prefix", build_dir / "wine-templates")
        pc = Pc()
        machine.seed(session, pc, build_dir)
        setup_exe = machine.copy_media(session, build_dir)
        screen = Screen(session, build_dir / "testbin" / "q4p_probe.exe")
        # One idle program keeps the Wine server up, so every run starts equally warm.
        keeper = session.start([str(build_dir / "testbin" / "open_window.exe"), "bench", "900"])
        keeper.stdout.readline()
        removal_ms, rm_ms, count = bench_removal(session, screen, setup_exe, pc, work, args.runs)
        print(f"  Remove pressed to result page     {removal_ms:8.0f} ms   rm of the same "
              f"{count} files {rm_ms:6.1f} ms   ratio {removal_ms / max(rm_ms, 0.1):5.0f}")
        print("  (the removal is timed by polling the window every 10 ms, from the key press; "
              "it also reads back and hashes the shared files, unregisters QuinFrm.dll and "
              "removes the registry keys, which rm does not)")
        return 0
    except (SessionError, UiError, subprocess.SubprocessError, OSError) as e:
        print(f"bench_uninstall: {e}", file=sys.stderr)
        return 1
    finally:
        if screen is not None:
            screen.close()
        if keeper is not None:
            stop_process(keeper)
        if session is not None:
            session.close(remove_prefix=True)


if __name__ == "__main__":
    os.environ.pop("DISPLAY", None)
    sys.exit(main())
