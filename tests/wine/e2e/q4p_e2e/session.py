"""A Wine prefix with its own display: the Windows PC a test or the demo plays.

Two ways in. Inside tests/wine/wine-session the prefix and the display are
already made and exported (WINEPREFIX, WINEARCH, DISPLAY): Session.from_environment
takes them as they are. Outside it (the demo, the bench), Session.create makes a
prefix from a template kept beside it and, when no display is given, starts its
own Xvfb; close() ends every process it started.
"""

import contextlib
import fcntl
import os
import pathlib
import shutil
import signal
import subprocess
import time

LOADERS = {"win64": "/usr/lib/wine/wine64", "win32": "/usr/lib/wine/wine"}
SCREEN = "1024x768x24"


class SessionError(RuntimeError):
    """Wine or the display cannot start: reported plainly, never waited on."""


def arch_of_build(build_dir):
    """win32 or win64, from the processor the build tree was configured for.

    A toolchain file sets the processor and the compilers without caching them:
    CMake records the processor in CMakeFiles/<version>/CMakeSystem.cmake.
    """
    for system in sorted(pathlib.Path(build_dir, "CMakeFiles").glob("*/CMakeSystem.cmake")):
        text = system.read_text(errors="replace")
        if 'set(CMAKE_SYSTEM_PROCESSOR "i686")' in text:
            return "win32"
        if 'set(CMAKE_SYSTEM_PROCESSOR "x86_64")' in text:
            return "win64"
    raise SessionError(f"{build_dir} is no configured i686 or x86_64 Windows build")


class Session:
    def __init__(self, arch, prefix, display, owned_xvfb=None, owned_prefix=False):
        if arch not in LOADERS:
            raise SessionError(f"unknown Wine architecture {arch!r}")
        self.arch = arch
        self.loader = LOADERS[arch]
        self.prefix = pathlib.Path(prefix)
        self.display = display
        self._xvfb = owned_xvfb
        self._owned_prefix = owned_prefix
        self.env = dict(os.environ)
        self.env.update(
            WINEPREFIX=str(self.prefix),
            WINEARCH=arch,
            DISPLAY=display,
            WINEDEBUG="-all",
            # No offers to download Mono or Gecko in the middle of a test.
            WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
        )
        if not os.path.exists(self.loader):
            raise SessionError(f"Wine loader {self.loader} is missing (run scripts/bootstrap)")

    # ---- making and ending a session

    @classmethod
    def from_environment(cls, arch):
        prefix, display = os.environ.get("WINEPREFIX"), os.environ.get("DISPLAY")
        if not prefix or not display:
            raise SessionError("WINEPREFIX and DISPLAY are not set: not inside a Wine session")
        return cls(os.environ.get("WINEARCH", arch), prefix, display)

    @classmethod
    def create(cls, arch, prefix, templates, display=None):
        """A fresh prefix copied from the template in templates/<arch> (made once), and a
        display: the one given, or an Xvfb of its own."""
        prefix = pathlib.Path(prefix)
        template = make_template(arch, templates)
        if prefix.exists():
            shutil.rmtree(prefix)
        prefix.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["cp", "-a", str(template), str(prefix)], check=True)
        xvfb = None
        if display:
            check_display(display)
        else:
            xvfb, display = start_xvfb()
        return cls(arch, prefix, display, owned_xvfb=xvfb, owned_prefix=True)

    def close(self, remove_prefix=False):
        with contextlib.suppress(Exception):
            subprocess.run([self.wineserver, "-k"], env=self.env, timeout=20,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self._xvfb is not None:
            stop_process(self._xvfb)
            self._xvfb = None
        if remove_prefix and self._owned_prefix:
            shutil.rmtree(self.prefix, ignore_errors=True)

    # ---- running Windows programs

    @property
    def wineserver(self):
        return str(pathlib.Path(self.loader).with_name("wineserver"))

    def run(self, args, timeout=60, check=False):
        """Runs a Windows program to its end; never waits longer than timeout."""
        try:
            result = subprocess.run([self.loader, *args], env=self.env, timeout=timeout,
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        except subprocess.TimeoutExpired as e:
            raise SessionError(f"{args[0]} did not end within {timeout} s") from e
        if check and result.returncode != 0:
            raise SessionError(f"{args[0]} failed ({result.returncode}): "
                               f"{result.stderr.decode(errors='replace')[-400:]}")
        return result

    def start(self, args, cwd=None, stdin=False):
        """Starts a Windows program and returns at once; stdout (and with stdin, stdin)
        is a pipe."""
        return subprocess.Popen([self.loader, *args], env=self.env, cwd=cwd,
                                stdin=subprocess.PIPE if stdin else None,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                start_new_session=True)

    def wait_idle(self, timeout=30):
        """Waits until every Windows program has ended and the registry is on disk."""
        with contextlib.suppress(subprocess.TimeoutExpired):
            subprocess.run([self.wineserver, "-w"], env=self.env, timeout=timeout)
            return True
        return False

    # ---- paths inside the prefix

    @property
    def drive_c(self):
        return self.prefix / "drive_c"

    def unix_path(self, windows_path):
        """C:\\a\\b as a path under drive_c, with the case given."""
        drive, _, rest = windows_path.partition(":")
        if drive.upper() != "C":
            raise ValueError(f"not on drive C: {windows_path}")
        parts = [p for p in rest.split("\\") if p]
        return self.drive_c.joinpath(*parts)

    def user_name(self):
        users = [p.name for p in (self.drive_c / "users").iterdir() if p.name != "Public"]
        return users[0] if users else os.environ.get("USER", "root")


def make_template(arch, templates):
    """A booted prefix in templates/<arch>, made once; parallel callers wait for the first
    one. Laid out as tests/wine/wine-session lays out its templates, so both share one."""
    templates = pathlib.Path(templates)
    template = templates / arch
    templates.mkdir(parents=True, exist_ok=True)
    with open(templates / f"{arch}.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if (template / ".q4p-ready").exists():
            return template
        shutil.rmtree(template, ignore_errors=True)
        env = dict(os.environ, WINEPREFIX=str(template), WINEARCH=arch, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        env.pop("DISPLAY", None)
        try:
            subprocess.run([LOADERS[arch], "wineboot", "-u"], env=env, timeout=240, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([str(pathlib.Path(LOADERS[arch]).with_name("wineserver")), "-w"],
                           env=env, timeout=60)
        except (subprocess.SubprocessError, OSError) as e:
            shutil.rmtree(template, ignore_errors=True)
            raise SessionError(f"Wine could not make a prefix ({arch}): {e}") from e
        (template / ".q4p-ready").touch()
        return template


def check_display(display):
    """Fails at once, with a plain message, when the X display cannot be reached."""
    env = dict(os.environ, DISPLAY=display)
    try:
        ok = subprocess.run(["xdotool", "getdisplaygeometry"], env=env, timeout=10,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        ok = False
    if not ok:
        raise SessionError(f"cannot open the X display {display!r}")


def start_xvfb(timeout=15):
    """Starts Xvfb on a free display; answers (process, ':N')."""
    if not shutil.which("Xvfb"):
        raise SessionError("Xvfb is not installed (run scripts/bootstrap)")
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        start_new_session=True)
    os.close(write_end)
    deadline = time.monotonic() + timeout
    number = b""
    os.set_blocking(read_end, False)
    while time.monotonic() < deadline and not number.endswith(b"\n"):
        if process.poll() is not None:
            break
        try:
            chunk = os.read(read_end, 16)
            number += chunk
            if not chunk:
                break
        except BlockingIOError:
            time.sleep(0.05)
    os.close(read_end)
    if not number.strip().isdigit():
        stop_process(process)
        raise SessionError("Xvfb did not start")
    return process, ":" + number.strip().decode()


def stop_process(process, grace=5):
    """Ends a process this code started, and its process group."""
    if process.poll() is not None:
        return
    with contextlib.suppress(ProcessLookupError, PermissionError):
        os.killpg(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        with contextlib.suppress(ProcessLookupError, PermissionError):
            os.killpg(process.pid, signal.SIGKILL)
        process.wait(timeout=grace)
