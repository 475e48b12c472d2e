"""What the browser tests share: headless Chromium driven through
chromium-driver (Debian's python3-selenium), a static web server on
127.0.0.1 (python3's http.server), replays made by the fixture builder and
zeb runs that write a board. ZEB and MAKE_REPLAY come from the environment.
"""
import functools
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from piped_zeb import TIMEOUT, PipedZeb, is_windows  # noqa: E402,F401

ZEB = os.environ["ZEB"]
MAKE_REPLAY = os.environ["MAKE_REPLAY"]
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
# Where the ranking page's screenshot goes (the README shows it); unset: nowhere.
SCREENSHOT = os.environ.get("ZEB_BOARD_SCREENSHOT")


def split_value(ms):
    """A split as the header holds a time: minutes, seconds, hundredths and
    thousandths in four bytes, read as one little-endian number."""
    minutes, rest = divmod(ms, 60000)
    seconds, rest = divmod(rest, 1000)
    return minutes | seconds << 8 | (rest // 10) << 16 | (rest % 10) << 24


def console_time(ms):
    """A lap time as the console writes it: 01:20.053."""
    minutes, rest = divmod(ms, 60000)
    return f"{minutes:02}:{rest // 1000:02}.{rest % 1000:03}"


def replay_fields(racer, ms, splits=(), **more):
    """make_replay's fields for a lap of `ms` milliseconds whose splits before
    the last one fall at `splits` (milliseconds from the start of the lap)."""
    fields = {"racer": racer, "splits": len(splits) + 1, **more}
    minutes, rest = divmod(ms, 60000)
    fields["time"] = f"{minutes},{rest // 1000},{rest % 1000 // 10},{rest % 10}"
    for i, at in enumerate(splits):
        fields[f"split{i + 1}"] = split_value(at)
    return fields


def make_replays(specs):
    """Replays from (path, fields) pairs, in one run of the fixture builder."""
    args = (["wine"] if is_windows(MAKE_REPLAY) else []) + [MAKE_REPLAY]
    for i, (path, fields) in enumerate(specs):
        args += (["--"] if i else []) + [str(path)] + [f"{k}={v}" for k, v in fields.items()]
    subprocess.run(args, check=True, timeout=120, capture_output=True)


def run_zeb(args, cwd, script=""):
    """zeb to its end with `script` as its input: its output and status."""
    command = (["wine"] if is_windows(ZEB) else []) + [ZEB, *args]
    done = subprocess.run(command, cwd=cwd, input=script.encode(), capture_output=True,
                          timeout=300)
    return done.stdout.decode("latin-1"), done.returncode


class StaticServer:
    """The board folder over http on 127.0.0.1, as any static web server
    would serve it."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, name):
        return f"http://127.0.0.1:{self.server.server_port}/{name}"

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def end_headers(self):
        # Every poll sees the file as it is now.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


class Browser:
    """One headless Chromium; its console messages and alerts are kept to look at."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="zeb-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--disable-gpu", "--window-size=1280,900",
                         f"--user-data-dir={self.profile}"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        # An alert stays open for the test to find, instead of failing the next call.
        options.set_capability("unhandledPromptBehavior", "ignore")
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.set_page_load_timeout(TIMEOUT)

    def open(self, url):
        self.driver.get(url)

    def read(self, script):
        """What `script` returns, read in one go: a page opened from disk
        reloads itself, and a read must not straddle two loads."""
        deadline = time.monotonic() + TIMEOUT
        while True:
            try:
                return self.driver.execute_script(script)
            except WebDriverException:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)

    def text(self):
        return self.read("return document.body ? document.body.innerText : ''")

    def wait_for_text(self, text, seconds):
        """Seconds until `text` shows on the open page; fails after `seconds`."""
        start = time.monotonic()
        while text not in self.text():
            if time.monotonic() - start > seconds:
                raise AssertionError(f"{text!r} did not show within {seconds} s")
            time.sleep(0.05)
        return time.monotonic() - start

    def alert(self):
        """The text of an alert that is open, or None."""
        try:
            return self.driver.switch_to.alert.text
        except NoAlertPresentException:
            return None

    def console_errors(self):
        return [m for m in self.driver.get_log("browser") if m["level"] == "SEVERE"]

    def rows(self, selector="tr"):
        """The shown rows: each cell's text and class."""
        return self.read("return Array.from(document.querySelectorAll(arguments[0]))"
                         ".filter(r => r.offsetParent !== null)"
                         ".map(r => Array.from(r.cells).map(c => [c.innerText, c.className]))"
                         .replace("arguments[0]", repr(selector)))

    def links(self):
        """Each link's text and address."""
        return self.read("return Array.from(document.links).map(a => [a.innerText, a.href])")

    def type_into(self, selector, text):
        """Types into the first element that matches, as a reader would."""
        box = self.driver.find_element(By.CSS_SELECTOR, selector)
        box.clear()
        box.send_keys(text)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, True)


class BoardTest(unittest.TestCase):
    """A scratch folder and one browser, shared by the tests of a class."""

    @classmethod
    def setUpClass(cls):
        cls.browser = Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="zeb-board-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.site = os.path.join(self.folder, "site")
        # The page of the test before stops polling its folder, which is gone.
        self.browser.open("about:blank")
        self.browser.console_errors()

    def replays(self, specs):
        """Replays below the scratch folder from (name, fields) pairs."""
        for name, _ in specs:
            os.makedirs(os.path.dirname(os.path.join(self.folder, name)), exist_ok=True)
        make_replays([(os.path.join(self.folder, name), fields) for name, fields in specs])

    def page(self, name):
        """A page of the board opened from disk."""
        return "file://" + os.path.join(self.site, name)

    def served(self, name):
        """A page of the board over http."""
        if not hasattr(self, "server"):
            self.server = StaticServer(self.site)
            self.addCleanup(self.server.close)
        return self.server.url(name)

    def assertNothingRan(self):
        self.assertIsNone(self.browser.alert())
        self.assertEqual(self.browser.console_errors(), [])
