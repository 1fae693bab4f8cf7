#!/usr/bin/env python3
"""The performance figures of the Windows program behind scripts/bench; each timing
is the median of several runs in one prefix on its own Xvfb. Every figure is printed
with the ratio to its reference: a size to its limit, a time to what the same work
takes a minimal program or a Unix tool."""

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
from q4p_e2e.map_watch import MapWatch  # noqa: E402
from q4p_e2e.session import Session, SessionError, arch_of_build, stop_process  # noqa: E402
from q4p_e2e.ui import Screen, UiError  # noqa: E402
from q4p_e2e.wizard import WizardRun  # noqa: E402
from bench_uninstall import bench_removal  # noqa: E402

COMPILERS = {"win64": "x86_64-w64-mingw32-gcc-win32", "win32": "i686-w64-mingw32-gcc-win32"}
BUILD_NAMES = {"win64": "x86_64", "win32": "i686"}
TREE_FILES = 20_000
# The most each program of the product (the i686 build) may weigh.
SIZE_LIMITS = {"setup.exe": 256 * 1024, "uninst.exe": 200 * 1024}
# The most the launch may take against a minimal window, on either machine.
LAUNCH_LIMIT = 1.2
# A launch takes some 150 ms: each launch figure is the median of this many
# times the runs, against the scheduler's noise.
LAUNCH_RUNS_FACTOR = 3
WELCOME_TAG = "- Windows 95/98/ME/NT/2000/XP"

MINIMAL_WINDOW = r"""
#include <windows.h>
static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_TIMER || m == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcA(w, m, wp, lp);
}
int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) {
    WNDCLASSA wc = {0};
    MSG msg;
    HWND w;
    (void)p; (void)c; (void)s;
    wc.lpfnWndProc = proc; wc.hInstance = i; wc.lpszClassName = "Q4PBenchMinimal";
    RegisterClassA(&wc);
    w = CreateWindowA("Q4PBenchMinimal", "Q4P Bench Minimal", WS_OVERLAPPEDWINDOW,
                      100, 100, 555, 408, NULL, NULL, i, NULL);
    ShowWindow(w, SW_SHOW);
    SetTimer(w, 1, 3000, NULL);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
"""

FIND_FILE = r"""
#include <windows.h>
#include <stdio.h>
typedef int(WINAPI *FindFn)(char *, char *, char *);
int main(int argc, char **argv) {
    char buffer[260];
    LARGE_INTEGER f, a, b;
    HMODULE lib;
    FindFn find;
    int found;
    if (argc < 4) return 2;
    lib = LoadLibraryA(argv[1]);
    if (!lib) return 3;
    find = (FindFn)(void (*)(void))GetProcAddress(lib, "dllFindFile");
    if (!find) return 4;
    memset(buffer, ' ', sizeof buffer);
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    found = find(argv[2], argv[3], buffer);
    QueryPerformanceCounter(&b);
    printf("%d %.3f\n", found, (double)(b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart);
    return 0;
}
"""


def median_ms(samples):
    return statistics.median(samples) * 1000.0


def compile_program(arch, source, out, gui):
    c_file = out.with_suffix(".c")
    c_file.write_text(source)
    flags = ["-O2", "-s", "-static"] + (["-mwindows"] if gui else [])
    subprocess.run([COMPILERS[arch], *flags, str(c_file), "-o", str(out)], check=True)
    return out


def time_to_window(session, watch, args, title, timeout=30):
    """Seconds from starting a program to its window being mapped on the display."""
    watch.forget()
    started = time.monotonic()
    process = session.start(args)
    mapped = watch.wait_mapped(title, timeout)
    if mapped is None:
        stop_process(process)
        raise UiError(f"{title!r} did not appear within {timeout} s")
    return mapped - started, process


def launch_setup(session, watch, screen, setup_exe):
    seconds, process = time_to_window(session, watch, [setup_exe], "Quintara4Palm Setup")
    screen.wait_page(WELCOME_TAG)
    screen.focus(screen.state())
    screen.key("Escape")
    process.wait(timeout=30)
    return seconds


def launch_minimal(session, watch, minimal_exe):
    seconds, process = time_to_window(session, watch, [str(minimal_exe)], "Q4P Bench Minimal")
    process.wait(timeout=30)
    return seconds


def bench_launch(session, screen, setup_exe, minimal_exe, runs):
    """Both programs launched in turns, after one discarded round that brings the
    prefix's system libraries into the page cache; the one that goes first changes
    every round, so that neither always starts right after the other ended."""
    timings = {"setup": [], "minimal": []}
    launch = {"setup": lambda: launch_setup(session, watch, screen, setup_exe),
              "minimal": lambda: launch_minimal(session, watch, minimal_exe)}
    watch = MapWatch(session.env["DISPLAY"])
    try:
        launch["setup"]()
        launch["minimal"]()
        for n in range(runs):
            for name in (("setup", "minimal") if n % 2 else ("minimal", "setup")):
                timings[name].append(launch[name]())
    finally:
        watch.close()
    return median_ms(timings["setup"]), median_ms(timings["minimal"])


def print_sizes(product_dir, build_dir, arch):
    for name, limit in SIZE_LIMITS.items():
        exe = product_dir / "media" / name if product_dir else None
        if exe and exe.exists():
            size = exe.stat().st_size
            print(f"  size of {name:10} i686 (the product) {size / 1024:7.1f} KiB   limit "
                  f"{limit / 1024:5.0f} KiB   ratio {size / limit:5.2f}")
        runnable = build_dir / "media" / name
        if arch != "win32" and runnable.exists():
            print(f"  size of {name:10} {arch} (runs here) {runnable.stat().st_size / 1024:7.1f} KiB")


def print_launch(machine_name, setup_ms, minimal_ms):
    ratio = setup_ms / minimal_ms
    print(f"  launch to first window, {machine_name:12} {setup_ms:6.0f} ms   minimal Win32 window "
          f"{minimal_ms:6.0f} ms   ratio {ratio:5.2f} (limit {LAUNCH_LIMIT})")


def bench_bare_launch(prefix_arch, build_dir, work, minimal_exe, runs):
    """Launch in a prefix with nothing installed: the start-up disk searches run."""
    session = keeper = None
    try:
        session = Session.create(prefix_arch, work / "bare-prefix", build_dir / "wine-templates")
        setup_exe = machine.copy_media(session, build_dir)
        screen = Screen(session, build_dir / "testbin" / "q4p_probe.exe")
        keeper = session.start([str(build_dir / "testbin" / "open_window.exe"), "bench", "900"])
        keeper.stdout.readline()
        return bench_launch(session, screen, setup_exe, minimal_exe, runs)
    finally:
        if keeper is not None:
            stop_process(keeper)
        if session is not None:
            session.close(remove_prefix=True)


def bench_install(session, screen, setup_exe, pc, work, runs):
    """Install pressed -> completion page, against cp of the files the run places."""
    installs = []
    for n in range(runs):
        run = WizardRun(session, screen, work / f"install-{n}", log=False)
        run.start(setup_exe)
        run.press_next("FrameChooseDir")
        run.press_next("FrameChooseUser")
        run.pick_user(pc.users[0].name)
        run.press_next("FrameListFiles")
        started = time.monotonic()
        screen.key("Return")
        screen.wait_page("finalFrame", timeout=120, poll=0.01)
        installs.append(time.monotonic() - started)
        run.leave("Return")

    media = session.unix_path(machine.MEDIA_DIR)
    names = [p.name for p in media.iterdir() if p.name != "setup.exe"]
    target = session.drive_c / "bench-cp"
    copies = []
    for _ in range(runs):
        shutil.rmtree(target, ignore_errors=True)
        target.mkdir()
        started = time.monotonic()
        subprocess.run(["cp", *[str(media / n) for n in names], str(target)], check=True)
        copies.append(time.monotonic() - started)
    shutil.rmtree(target, ignore_errors=True)
    return median_ms(installs), median_ms(copies), len(names)


def bench_find(session, find_exe, runs):
    """dllFindFile over a tree of TREE_FILES files, for a name that is not there (the
    whole tree is walked), against find over the same tree."""
    tree = session.drive_c / "bench-tree"
    shutil.rmtree(tree, ignore_errors=True)
    for d in range(200):
        folder = tree / f"dir{d // 20:02d}" / f"sub{d:03d}"
        folder.mkdir(parents=True)
        for f in range(TREE_FILES // 200):
            (folder / f"file{f:03d}.dat").touch()
    library = machine.MEDIA_DIR + "\\quinTool.dll"
    inside, finds = [], []
    for _ in range(runs):
        out = session.run([str(find_exe), library, "C:\\bench-tree", "absent.exe"], timeout=120,
                          check=True).stdout.decode().split()
        if out[0] != "0":
            raise UiError(f"dllFindFile found a file that is not there: {out}")
        inside.append(float(out[1]) / 1000.0)
        started = time.monotonic()
        subprocess.run(["find", str(tree), "-iname", "absent.exe"], check=True,
                       stdout=subprocess.DEVNULL)
        finds.append(time.monotonic() - started)
    shutil.rmtree(tree, ignore_errors=True)
    return median_ms(inside), median_ms(finds)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True, type=pathlib.Path)
    parser.add_argument("--product-build-dir", type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--launch-only", action="store_true",
                        help="only the two launch figures (for the second prefix)")
    args = parser.parse_args()
    build_dir = args.build_dir.resolve()
    constants.use(build_dir)
    arch = arch_of_build(build_dir)
    # The i686 build in a 64-bit prefix: the setup as nearly every user runs it.
    prefix_arch = "win64" if machine.WOW64 else arch
    prefix_name = {"win32": "32-bit prefix", "win64": "64-bit prefix"}[prefix_arch]
    if arch == "win32" and prefix_arch == "win64":
        prefix_name += " (WOW64)"
    work = build_dir / ("bench-wow64" if machine.WOW64 else "bench")
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)

    launches = args.runs * LAUNCH_RUNS_FACTOR
    what = "launch figures" if args.launch_only else "performance"
    print(f"Quintara4Palm Setup {what}, median of {args.runs} runs ({launches} for each "
          f"launch), {BUILD_NAMES[arch]} build in a {prefix_name} under Wine")
    if not args.launch_only:
        product_dir = args.product_build_dir.resolve() if args.product_build_dir else None
        print_sizes(product_dir, build_dir, arch)

    session = keeper = None
    try:
        session = Session.create(prefix_arch, work / "prefix", build_dir / "wine-templates")
        pc = Pc()
        machine.seed(session, pc, build_dir)
        setup_exe = machine.copy_media(session, build_dir)
        screen = Screen(session, build_dir / "testbin" / "q4p_probe.exe")
        # One idle program keeps the Wine server up, so every run starts equally warm.
        keeper = session.start([str(build_dir / "testbin" / "open_window.exe"), "bench", "900"])
        keeper.stdout.readline()
        # For the machine the programs are built for: a 64-bit minimal window beside
        # the 32-bit setup would time WOW64's start of a 32-bit process against none.
        minimal_exe = compile_program(arch, MINIMAL_WINDOW, work / "minimal.exe", gui=True)
        find_exe = compile_program(arch, FIND_FILE, work / "findfile.exe", gui=False)

        setup_ms, minimal_ms = bench_launch(session, screen, setup_exe, minimal_exe, launches)
        print_launch("typical PC", setup_ms, minimal_ms)
        bare_ms, bare_minimal_ms = bench_bare_launch(prefix_arch, build_dir, work, minimal_exe,
                                                     launches)
        print_launch("bare prefix", bare_ms, bare_minimal_ms)
        if args.launch_only:
            return 0
        install_ms, cp_ms, count = bench_install(session, screen, setup_exe, pc, work, args.runs)
        print(f"  Install pressed to completion page {install_ms:7.0f} ms   cp of the same "
              f"{count} files {cp_ms:6.1f} ms   ratio {install_ms / max(cp_ms, 0.1):5.0f}")
        removal_ms, rm_ms, removed = bench_removal(session, screen, setup_exe, pc, work,
                                                   args.runs)
        print(f"  Remove pressed to result page     {removal_ms:8.0f} ms   rm of the same "
              f"{removed} files {rm_ms:6.1f} ms   ratio {removal_ms / max(rm_ms, 0.1):5.0f}")
        find_ms, unix_find_ms = bench_find(session, find_exe, args.runs)
        print(f"  dllFindFile over {TREE_FILES} files     {find_ms:8.0f} ms   find over the "
              f"same tree {unix_find_ms:6.0f} ms   ratio {find_ms / unix_find_ms:5.2f}")
        print("  (the install and the removal are timed by polling the window every 10 ms, from "
              "the key press; the removal also hashes the shared files, unregisters QuinFrm.dll "
              "and removes the registry keys, which rm does not;")
        print("   dllFindFile is timed inside the Windows process, find as a whole process;")
        print("   the launch, from process start until the X server reports the window mapped)")
        return 0
    except (SessionError, UiError, subprocess.SubprocessError) as e:
        print(f"bench: {e}", file=sys.stderr)
        return 1
    finally:
        if keeper is not None:
            stop_process(keeper)
        if session is not None:
            session.close(remove_prefix=True)


if __name__ == "__main__":
    os.environ.pop("DISPLAY", None)
    sys.exit(main())
