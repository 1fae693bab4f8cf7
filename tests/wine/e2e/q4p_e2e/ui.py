"""Seeing and touching the wizard as a person does: the probe reads the window,
xdotool presses keys and clicks, ImageMagick takes the screenshots. Every wait
is bounded."""

import contextlib
import json
import os
import pathlib
import select
import shutil
import subprocess
import time

from .session import stop_process


class UiError(AssertionError):
    """The window did not reach the state a step waited for."""


class Screen:
    def __init__(self, session, probe_exe, window=None, read_aloud=False):
        """window: the caption of the window to read, when not the setup's; read_aloud:
        every page arrived at is read as a screen reader reads it, and checked."""
        self.session = session
        self.probe_exe = str(probe_exe)
        self.reader_exe = str(pathlib.Path(probe_exe).with_name("msaa_probe.exe"))
        self.read_aloud = read_aloud
        self.window_args = ["--window", window] if window else []
        self.window_caption = window
        self._probe = None
        self._pending = b""
        for tool in ("xdotool", "import"):
            if not shutil.which(tool):
                raise UiError(f"{tool} is not installed (run scripts/bootstrap)")

    # ---- reading

    def state(self, timeout=20, request=b"state"):
        """The wizard window as the probe sees it; {"found": False} when it is not open,
        {"found": True, "ready": False} while it is not shown or does not answer."""
        probe = self._serve()
        try:
            probe.stdin.write(request + b"\n")
            probe.stdin.flush()
            line = self._read_line(probe, timeout)
        except (OSError, UiError):
            self.close()
            return {"found": True, "ready": False}
        try:
            return json.loads(line)
        except json.JSONDecodeError as e:
            raise UiError(f"probe printed no JSON: {line[:300]!r}") from e

    def notify_pages(self):
        """Posts every page a command from no control, as a menu or another program
        may, then answers the state (see q4p_probe.cpp)."""
        return self.state(request=b"notify")

    def reading(self):
        """The visible page as Active Accessibility gives it to a screen reader (see
        msaa_probe.cpp): its stored tag, the name it is announced by, its lines and
        the names of its controls by id."""
        args = [self.reader_exe] + ([self.window_caption] if self.window_caption else [])
        out = self.session.run(args, timeout=30, check=True).stdout.decode("utf-8", "replace")
        try:
            return json.loads(out)
        except json.JSONDecodeError as e:
            raise UiError(f"msaa_probe printed no JSON: {out[:300]!r}") from e

    def _serve(self):
        if self._probe is None or self._probe.poll() is not None:
            self._probe = subprocess.Popen(
                [self.session.loader, self.probe_exe, *self.window_args, "--serve"],
                env=self.session.env,
                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                start_new_session=True)
            self._pending = b""
        return self._probe

    def _read_line(self, probe, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([probe.stdout], [], [], left)[0]:
                raise UiError("the probe did not answer")
            chunk = os.read(probe.stdout.fileno(), 65536)
            if not chunk:
                raise UiError("the probe ended")
            self._pending += chunk
        line, _, self._pending = self._pending.partition(b"\n")
        return line.decode("utf-8", errors="replace")

    def close(self):
        """Ends the probe (it keeps the Wine server up while it runs)."""
        if self._probe is not None:
            with contextlib.suppress(OSError):
                self._probe.stdin.write(b"quit\n")
                self._probe.stdin.close()
            try:
                self._probe.wait(timeout=5)
            except subprocess.TimeoutExpired:
                stop_process(self._probe)
            self._probe = None

    def wait_for(self, what, predicate, timeout=20, poll=0.25):
        """Polls the probe until predicate(state) holds; answers that state."""
        deadline = time.monotonic() + timeout
        last = None
        while True:
            last = self.state()
            if predicate(last):
                return last
            if time.monotonic() >= deadline:
                raise UiError(f"timed out after {timeout} s waiting for {what}; "
                              f"last state: page={last.get('page')!r} "
                              f"visible={last.get('visiblePages')}")
            time.sleep(poll)

    def wait_page(self, tag, timeout=20, poll=0.25):
        return self.wait_for(f"page {tag!r}",
                             lambda s: s.get("ready") and s.get("page") == tag
                             and s.get("window", {}).get("visible"), timeout, poll)

    def wait_page_change(self, old_tag, timeout=20):
        return self.wait_for(f"a page other than {old_tag!r}",
                             lambda s: not s.get("found") or (
                                 s.get("ready") and s.get("page") is not None
                                 and s.get("page") != old_tag), timeout)

    # ---- acting

    def xdotool(self, *args, timeout=15):
        try:
            result = subprocess.run(["xdotool", *args], env=self.session.env, timeout=timeout,
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        except subprocess.TimeoutExpired as e:
            raise UiError(f"xdotool {' '.join(args)} did not end within {timeout} s") from e
        return result.stdout.decode(errors="replace")

    def focus(self, state):
        """Gives the wizard window the keyboard: a click on its header banner, where
        there is no control to set off."""
        rect = state["window"]["rect"]
        self.click_at((rect[0] + rect[2]) / 2, rect[1] + 60)

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", "--delay", "60", *keys)

    def type_text(self, text, delay_ms=40):
        self.xdotool("type", "--clearmodifiers", "--delay", str(delay_ms), text)

    def click_at(self, x, y):
        # No --sync: it waits for a motion event that never comes when the pointer
        # already stands there.
        self.xdotool("mousemove", str(int(x)), str(int(y)), "sleep", "0.1", "click", "1")

    def click_rect(self, rect):
        self.click_at((rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2)

    def screenshot(self, path):
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", self.session.display, "-window", "root", str(path)],
                       env=self.session.env, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path
