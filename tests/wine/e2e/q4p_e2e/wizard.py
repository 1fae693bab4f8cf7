"""One run of setup.exe, walked page by page: every page passed is recorded with its
buttons and saved as a screenshot NN-<page>.png."""

import dataclasses
import subprocess
import time

from . import constants
from .session import stop_process
from .ui import UiError


def tag_of(frame, frames=None):
    """The tag of a page frame, as the page table ({tag: frame}, the setup's by
    default) gives it."""
    return next(tag for tag, name in (frames or constants.FRAMES).items() if name == frame)


@dataclasses.dataclass
class Visit:
    frame: str
    state: dict
    screenshot: object

    def button(self, name):
        """(caption, visible, enabled) of "next", "back" or "cancel"."""
        b = self.state["buttons"][name]
        return (b["text"], b["visible"], b["enabled"]) if b else None


class WizardRun:
    program = "setup.exe"

    def __init__(self, session, screen, artifacts, log=True):
        self.session = session
        self.screen = screen
        self.artifacts = artifacts
        self.visits = []
        self.process = None
        self.exit_code = None
        self.started = time.monotonic()
        self.log = log

    def start(self, setup_exe, timeout=40):
        """Starts setup.exe and waits for its welcome page."""
        self.started = time.monotonic()
        self.process = self.session.start([setup_exe])
        self.screen.wait_for("the wizard window", lambda s: self.still_running()
                             and s.get("ready") and s.get("page") is not None, timeout)
        return self.arrive("FrameWelcome")

    def still_running(self):
        if self.process.poll() is not None:
            raise UiError(f"{self.program} ended with exit code {self.process.returncode} "
                          "before its window was shown")
        return True

    def page_table(self):
        """{tag: frame} of the program's pages."""
        return constants.FRAMES

    def page_texts(self):
        """{frame: [lines, ...]}: every text each page can show."""
        return constants.PAGE_TEXTS

    def read_aloud(self, frame, tag):
        """Reads the page as a screen reader does: it must be announced by its title,
        never by its tag, read its exact lines in order, and name its inputs."""
        heard = self.screen.reading()
        if heard.get("tag") != tag:
            raise UiError(f"{frame}: the reader found page {heard.get('tag')!r}")
        texts = self.page_texts()[frame]
        if heard["lines"] not in texts:
            raise UiError(f"{frame}: a reader hears {heard['lines']}, the page shows {texts[0]}")
        if heard["name"] != heard["lines"][0] or (tag and heard["name"] == tag):
            raise UiError(f"{frame} is announced as {heard['name']!r}, not by its title")
        for control, label in heard["labels"].items():
            expected = constants.LABELS.get(control)
            if expected and label != expected:
                raise UiError(f"{frame}: control {control} is named {label!r}, not {expected!r}")
        return heard

    def arrive(self, frame, timeout=20):
        """Waits for a page, records it and takes its screenshot."""
        tag = tag_of(frame, self.page_table())
        state = self.screen.wait_page(tag, timeout)
        time.sleep(0.3)  # let the page finish painting before the screenshot
        shot = self.artifacts / f"{len(self.visits) + 1:02d}-{frame}.png"
        self.screen.screenshot(shot)
        if self.screen.read_aloud:
            self.read_aloud(frame, tag)
        visit = Visit(frame, self.screen.state(), shot)
        if visit.state.get("page") != tag:
            raise UiError(f"{frame} went away while it was being looked at")
        self.visits.append(visit)
        if self.log:
            print(f"  [{time.monotonic() - self.started:5.1f} s] {frame}", flush=True)
        return visit

    @property
    def frames(self):
        return [v.frame for v in self.visits]

    @property
    def current(self):
        return self.visits[-1]

    # ---- what a person does

    def press_next(self, expect, timeout=20):
        """Enter presses Next (the default button); waits for the expected page."""
        self.screen.key("Return")
        return self.arrive(expect, timeout)

    def press_back(self, expect):
        self.screen.click_rect(self.current.state["buttons"]["back"]["rect"])
        return self.arrive(expect)

    def pick_user(self, name):
        """Clicks the user's line in the user list; waits for Next to be enabled."""
        users = self.screen.state()["listUsers"]
        if name not in users["items"]:
            raise UiError(f"user {name!r} is not listed: {users['items']}")
        rect = users["itemRects"][users["items"].index(name)]
        if rect is None:
            raise UiError(f"user {name!r} is not in view")
        self.screen.click_rect(rect)
        state = self.screen.wait_for(f"{name!r} selected and Next enabled", lambda s: (
            s["listUsers"]["selected"] == users["items"].index(name)
            and s["buttons"]["next"]["enabled"]))
        self.visits[-1] = Visit(self.current.frame, state, self.current.screenshot)
        return state

    def type_folder(self, folder, attempts=3):
        """Replaces the folder text box's text by typing, as a person would. xdotool types
        a character missing from the keyboard map by remapping a spare key, which now and
        then delivers the previous character under load: like a person, it looks at what it
        typed and types it again, more slowly, when it is not what was meant."""
        seen = []
        for attempt in range(attempts):
            box = self.screen.state()["dirName"]
            self.screen.click_rect(box["rect"])
            self.screen.key("End", "shift+Home", "BackSpace")
            self.screen.type_text(folder, delay_ms=40 * (attempt + 1) ** 2)
            try:
                state = self.screen.wait_for(f"folder text {folder!r}",
                                             lambda s: s["dirName"]["text"] == folder, timeout=5)
                break
            except UiError:
                seen.append(self.screen.state().get("dirName", {}).get("text"))
        else:
            raise UiError(f"folder text {folder!r} could not be typed; the box read {seen}")
        self.visits[-1] = Visit(self.current.frame, state, self.current.screenshot)
        # Enter must press Next again, not act inside the text box.
        self.screen.focus(state)
        return state

    def leave(self, key, timeout=20):
        """Presses a key that ends the wizard (Enter on Exit, Esc for Cancel); answers
        setup.exe's exit code."""
        self.screen.key(key)
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=20):
        try:
            self.exit_code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired as e:
            raise UiError(f"{self.program} still runs {timeout} s after the window was "
                          "left") from e
        return self.exit_code

    def stop(self):
        """Ends setup.exe if a failed step left it running."""
        if self.process is not None and self.process.poll() is None:
            stop_process(self.process)
