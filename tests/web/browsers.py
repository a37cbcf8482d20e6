"""The browsers that the web build's tests and benchmark open pages in, driven through W3C WebDriver
(Debian's python3-selenium, chromium-driver and webkit2gtk-driver), and a local web server."""

import contextlib
import functools
import glob
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.interaction import POINTER_MOUSE, POINTER_TOUCH
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys

# Without a GPU, WebGL needs SwiftShader; the rest keeps Chromium off the network.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
    "--no-first-run", "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--disable-quic", "--disable-default-apps", "--mute-audio",
    "--hide-scrollbars",
]
# The one test program that libwebkit2gtk ships; WebKitWebDriver drives it.
WEBKIT_BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-*/MiniBrowser"
# A Qt test runs to its end before the page answers again.
LONGEST_SCRIPT_SECONDS = 600


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def end_headers(self):
        # Every load is a first load, as for a new visitor.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


@contextlib.contextmanager
def serve(folder, port=0):
    """Serves folder on 127.0.0.1 at the port given, or a free one; yields the origin."""
    http.server.ThreadingHTTPServer.allow_reuse_address = True
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(QuietHandler, directory=str(folder)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


def chromium():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    return Browser(webdriver.Chrome(options=options), "chromium")


def webkit():
    """WebKit, Safari's engine: it draws into a real window, so it needs an X display."""
    options = webdriver.WebKitGTKOptions()
    options.binary_location = sorted(glob.glob(WEBKIT_BROWSER))[-1]
    options.add_argument("--automation")
    return Browser(webdriver.WebKitGTK(options=options), "webkit")


class Browser:
    """One browser with one tab open at a time, and the input a player gives it: keys, a mouse, a
    finger."""

    def __init__(self, driver, name):
        self.driver, self.name = driver, name
        # WebKitWebDriver 2.50 (for WebKitGTK 4.1) never answers a pointer action; its own
        # element click does work.
        self.can_point = name != "webkit"
        driver.set_script_timeout(LONGEST_SCRIPT_SECONDS)
        self._first_tab = driver.current_window_handle

    def close(self):
        self.driver.quit()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def new_tab(self, width, height, mobile=False, before_load=None):
        """A fresh tab whose viewport is width x height CSS pixels at scale 1; mobile emulates a
        phone's touch screen (Chromium only); before_load is script run first on every page."""
        if self.name == "chromium":
            if self.driver.current_window_handle != self._first_tab:
                self.driver.close()
            self.driver.switch_to.window(self._first_tab)
            self.driver.switch_to.new_window("tab")
            self.set_viewport(width, height, mobile=mobile)
            if before_load:
                self.cdp("Page.addScriptToEvaluateOnNewDocument", source=before_load)
        else:
            # WebKit keeps a second tab hidden, and a hidden page draws no frames: its one tab
            # is emptied instead.
            assert not mobile and not before_load, "WebKit's driver emulates no phone"
            self.open("about:blank")
            # The window's size is the viewport's plus whatever the browser draws around it.
            self.driver.set_window_size(width, height)
            inner = self.evaluate("[innerWidth, innerHeight]")
            self.driver.set_window_size(2 * width - inner[0], 2 * height - inner[1])

    def set_viewport(self, width, height, scale=1, mobile=False):
        """Chromium's viewport: its size in CSS pixels, their scale (a zoom changes both), and a
        phone's touch screen."""
        self.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                 deviceScaleFactor=scale, mobile=mobile)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=mobile, maxTouchPoints=5)

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def open(self, url):
        self.driver.get(url)

    def evaluate(self, expression):
        """The value of a JavaScript expression; a promise is waited for."""
        return self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            f"Promise.resolve({expression}).then(done);")

    def wait_until(self, expression, timeout, what):
        """Waits, inside the page, until expression holds."""
        if not self.evaluate(
                "new Promise((done) => { const end = performance.now() + %d; (function poll() {"
                " if (%s) done(true); else if (performance.now() > end) done(false);"
                " else setTimeout(poll, 50); })(); })" % (timeout * 1000, expression)):
            raise TimeoutError(f"{what}: not within {timeout} s")

    def next_frame(self):
        """Returns once the page has drawn its next frame."""
        self.evaluate("new Promise((done) => requestAnimationFrame(() => done(true)))")

    def screenshot(self):
        """The viewport as PNG bytes."""
        return self.driver.get_screenshot_as_png()

    def _keys(self):
        return webdriver.ActionChains(self.driver)

    def type(self, text):
        self._keys().send_keys(text).perform()

    def tab(self):
        self.type(Keys.TAB)

    def shift(self, key):
        self._keys().key_down(Keys.SHIFT).send_keys(key).key_up(Keys.SHIFT).perform()

    def shift_tab(self):
        self.shift(Keys.TAB)

    def enter(self):
        self.type(Keys.ENTER)

    def with_control(self, key):
        """Ctrl and the key: "a" selects all, "c" copies, "v" pastes."""
        self._keys().key_down(Keys.CONTROL).send_keys(key).key_up(Keys.CONTROL).perform()

    def select_all(self):
        self.with_control("a")

    def _pointer(self, kind, x, y):
        actions = ActionBuilder(self.driver, mouse=PointerInput(kind, kind))
        actions.pointer_action.move_to_location(int(x), int(y)).pointer_down().pointer_up()
        actions.perform()

    def click(self, x, y):
        self._pointer(POINTER_MOUSE, x, y)

    def tap(self, x, y):
        self._pointer(POINTER_TOUCH, x, y)
