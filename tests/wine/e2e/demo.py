#!/usr/bin/env python3
"""The demo behind scripts/demo: a throwaway Wine prefix that plays a Windows PC,
then setup.exe from the media (and, with --scenario uninstall, then uninst.exe
through the Start menu's shortcut). With a display the person clicks through;
without one the demo walks each window itself on its own Xvfb and saves every page."""

import argparse
import os
import pathlib
import signal
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from q4p_e2e import constants, machine, report, uninstaller  # noqa: E402
from q4p_e2e.machine import Pc  # noqa: E402
from q4p_e2e.registry import Registry  # noqa: E402
from q4p_e2e.session import Session, SessionError, arch_of_build, stop_process  # noqa: E402
from q4p_e2e.ui import Screen, UiError  # noqa: E402
from q4p_e2e.wizard import WizardRun  # noqa: E402

PCS = {
    "typical": ("the handheld desktop with two users, the spreadsheet, a PDF reader", Pc),
    "no-handheld-desktop": ("no handheld desktop software",
                            lambda: Pc(handheld_desktop=False)),
    "no-spreadsheet-no-pdf": ("neither the spreadsheet nor a PDF reader",
                              lambda: Pc(spreadsheet=False, pdf_reader=False)),
    "excel-open": ("everything installed, and a spreadsheet window open", Pc),
    "unsupported-excel": ("a spreadsheet whose automation version is not supported",
                          lambda: Pc(spreadsheet_version="Excel.Application.11")),
    "uninstall": ("as typical; after the installation, the Start menu's uninstaller", Pc),
}
TERMINAL = {"FrameNFDesktop", "FrameCloseExcel", "FrameFinal"}
MAX_PAGES = 12


def walk(run, screen):
    """Goes through the wizard as a person taking the usual way: Next on every page,
    the first listed user, Install, and Exit at the end."""
    visit = run.start(run.setup_exe)
    for _ in range(MAX_PAGES):
        if visit.frame in TERMINAL:
            run.leave("Return", timeout=30)
            return
        if visit.frame == "FrameChooseUser":
            users = visit.state["listUsers"]["items"]
            if not users:
                raise UiError("the user page lists no handheld user")
            run.pick_user(users[0])
        old = visit.state["page"]
        screen.key("Return")
        state = screen.wait_page_change(old, timeout=90)
        if not state.get("found"):
            raise UiError("the wizard closed unexpectedly")
        visit = run.arrive(constants.FRAMES[state["page"]])
    raise UiError("the wizard did not end after twelve pages")


def walk_uninstaller(run, uninst_exe):
    """Remove on the confirmation, Exit on the result (or Exit when nothing is installed)."""
    visit = run.start(uninst_exe, first=None)
    if visit.frame == "FrameConfirm":
        run.press_next("FrameDone", timeout=90)
    run.leave("Return", timeout=30)


def wait_for_person(run, screen, exe, what="The wizard"):
    run.process = run.session.start([exe])
    screen.wait_for(what.lower(), lambda s: run.still_running() and s.get("ready"), timeout=60)
    print(f"{what} is open on your display. Click through it; this demo waits until "
          "its window is closed.", flush=True)
    seen = []
    while run.process.poll() is None:
        state = screen.state()
        page = state.get("page") if state.get("ready") else None
        frame = run.page_table().get(page) if page is not None else None
        if frame is not None and (not seen or seen[-1] != frame):
            seen.append(frame)
        try:
            run.process.wait(timeout=0.5)
        except subprocess.TimeoutExpired:
            pass
    run.exit_code = run.process.returncode
    return seen


def uninstall(session, screen, pc, build_dir, artifacts, display):
    """uninst.exe, started as the Start menu's "uninstall" shortcut starts it."""
    link = uninstaller.menu_folder(session, pc) + "\\uninstall.lnk"
    target = session.run([str(build_dir / "testbin" / "link_target.exe"), link])
    uninst_exe = target.stdout.decode("utf-8", errors="replace").strip()
    if target.returncode != 0 or not uninst_exe:
        raise UiError(f"the Start menu holds no uninstall shortcut to follow ({link})")
    print(f"\nThe Start menu's uninstall shortcut starts {uninst_exe}", flush=True)
    run = uninstaller.UninstallRun(session, screen, artifacts)
    if display:
        return run, wait_for_person(run, screen, uninst_exe, "The uninstaller")
    walk_uninstaller(run, uninst_exe)
    return run, run.frames


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scenario", choices=sorted(PCS), default="typical")
    parser.add_argument("--build-dir", required=True, type=pathlib.Path)
    parser.add_argument("--work-dir", required=True, type=pathlib.Path)
    args = parser.parse_args()
    build_dir, work = args.build_dir.resolve(), args.work_dir.resolve()
    constants.use(build_dir)
    arch = arch_of_build(build_dir)
    display = os.environ.get("DISPLAY") or None
    # A signal ends the demo through the finally below, which stops what it started.
    for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal.signal(sig, lambda *_: sys.exit(130))

    description, make_pc = PCS[args.scenario]
    pc = make_pc()
    work.mkdir(parents=True, exist_ok=True)
    for old in [*work.glob("*.png"), *work.glob("uninstall/*.png")]:
        old.unlink()
    print(f"Quintara4Palm Setup demo, scenario {args.scenario}: {description}.")
    print(f"Wine prefix {work / 'prefix'} ({arch}); "
          f"{'your display ' + display if display else 'its own Xvfb, headless'}.", flush=True)

    session = spreadsheet = run = screen = None
    try:
        # The booted prefix it starts from is kept, shared with the Wine tests when
        # Q4P_WINE_TEMPLATE names theirs.
        templates = os.environ.get("Q4P_WINE_TEMPLATE") or work / "wine-templates"
        session = Session.create(arch, work / "prefix", templates, display=display)
        machine.seed(session, pc, build_dir)
        setup_exe = machine.copy_media(session, build_dir)
        screen = Screen(session, build_dir / "testbin" / "q4p_probe.exe")
        if args.scenario == "excel-open":
            spreadsheet = session.start([str(build_dir / "testbin" / "open_window.exe"),
                                         "Microsoft Excel - Book1", "3600"])
            spreadsheet.stdout.readline()
        run = WizardRun(session, screen, work)
        run.setup_exe = setup_exe
        if display:
            frames = wait_for_person(run, screen, setup_exe)
        else:
            walk(run, screen)
            frames = run.frames
        if spreadsheet is not None:
            stop_process(spreadsheet)
        screen.close()
        session.wait_idle()
        reg = Registry(session.prefix)
        install_dir = reg.string("HKEY_CURRENT_USER", constants.PRODUCT_KEY, "installdir") \
            or machine.DEFAULT_INSTALL_DIR
        print()
        print("\n".join(report.installed_state(session, reg, pc, install_dir, frames,
                                               run.exit_code)))
        if args.scenario == "uninstall":
            screen = Screen(session, build_dir / "testbin" / "q4p_probe.exe",
                            window=constants.UNINSTALL_CAPTION)
            run, frames = uninstall(session, screen, pc, build_dir, work / "uninstall", display)
            screen.close()
            session.wait_idle()
            print()
            print("\n".join(report.removed_state(session, Registry(session.prefix), pc,
                                                 install_dir, frames, run.exit_code)))
        if not display:
            print(f"\nScreenshots of every page: {work}/NN-<page>.png"
                  + (f" and {work}/uninstall/NN-<page>.png" if args.scenario == "uninstall"
                     else ""))
        print(f"The prefix stays in {work / 'prefix'} until the next demo run.")
        return 0
    except SessionError as e:
        print(f"demo: {e}", file=sys.stderr)
        return 3
    except UiError as e:
        print(f"demo: the wizard did not behave as expected: {e}", file=sys.stderr)
        return 1
    finally:
        if screen is not None:
            screen.close()
        if run is not None:
            run.stop()
        if spreadsheet is not None:
            stop_process(spreadsheet)
        if session is not None:
            session.close()


if __name__ == "__main__":
    sys.exit(main())
