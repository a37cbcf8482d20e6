"""Headless Chromium driven over its DevTools protocol, and a local web server: what the web
build's tests and benchmark need to open a page as a player would."""

import base64
import contextlib
import functools
import http.server
import json
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket  # Debian's python3-websocket

# Without a GPU, WebGL needs SwiftShader; the rest keeps Chromium off the network.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
    "--no-first-run", "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--disable-quic", "--disable-default-apps", "--mute-audio",
    "--hide-scrollbars", "--remote-debugging-port=0",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        # Every load is a first load, as for a new visitor.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()


@contextlib.contextmanager
def serve(folder, extra=None, port=0):
    """Serves folder on 127.0.0.1 (a free port unless one is given); extra maps a path to
    (content type, bytes)."""
    class Handler(QuietHandler):
        def do_GET(self):
            if extra and self.path.split("?")[0] in extra:
                content_type, body = extra[self.path.split("?")[0]]
                self.send_response(200)
                self.send_header("Content-Type", content_type)
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            super().do_GET()

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=str(folder)))
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()


class ProtocolError(RuntimeError):
    pass


class Page:
    """One tab: commands are sent and answered in order; events wait in a queue until asked for."""

    def __init__(self, socket_url):
        self._socket = websocket.create_connection(socket_url, timeout=600)
        self._next_id = 0
        self.events = []

    def close(self):
        self._socket.close()

    def _receive(self, timeout):
        self._socket.settimeout(timeout)
        return json.loads(self._socket.recv())

    def send(self, method, **params):
        self._next_id += 1
        command_id = self._next_id
        self._socket.send(json.dumps({"id": command_id, "method": method, "params": params}))
        while True:
            message = self._receive(600)
            if message.get("id") == command_id:
                if "error" in message:
                    raise ProtocolError(f"{method}: {message['error']}")
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def next_event(self, methods, timeout):
        """The first queued or coming event among methods; None when none came in time."""
        end = time.monotonic() + timeout
        while True:
            for index, event in enumerate(self.events):
                if event["method"] in methods:
                    return self.events.pop(index)
            remaining = end - time.monotonic()
            if remaining <= 0:
                return None
            try:
                message = self._receive(remaining)
            except websocket.WebSocketTimeoutException:
                return None
            if "method" in message:
                self.events.append(message)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise ProtocolError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_until(self, expression, timeout, what):
        end = time.monotonic() + timeout
        while not self.evaluate(expression):
            if time.monotonic() > end:
                raise TimeoutError(f"{what}: not within {timeout} s")
            time.sleep(0.05)

    def set_viewport(self, width, height, scale=1, mobile=False):
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=mobile)
        self.send("Emulation.setTouchEmulationEnabled", enabled=mobile, maxTouchPoints=5)

    def navigate(self, url):
        self.send("Page.enable")
        self.send("Page.navigate", url=url)
        if not self.next_event({"Page.loadEventFired"}, 120):
            raise TimeoutError(f"{url} did not load")

    def screenshot(self):
        """The viewport as PNG bytes, at its device pixels."""
        return base64.b64decode(self.send("Page.captureScreenshot", format="png")["data"])

    # Input as the browser gets it from a keyboard and a touch screen.

    def key(self, name, code, key_code, text="", modifiers=0):
        common = dict(key=name, code=code, windowsVirtualKeyCode=key_code,
                      nativeVirtualKeyCode=key_code, modifiers=modifiers)
        self.send("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown",
                  text=text, unmodifiedText=text, **common)
        self.send("Input.dispatchKeyEvent", type="keyUp", **common)

    def type(self, text):
        for character in text:
            if character.isdigit():
                self.key(character, "Digit" + character, ord(character), text=character)
            elif character.isascii() and character.isalpha():
                upper = character.upper()
                self.key(character, "Key" + upper, ord(upper), text=character)
            else:
                raise ValueError(f"cannot type {character!r}")

    def next_frame(self):
        """Returns once the page has drawn its next frame."""
        self.evaluate("new Promise((done) => requestAnimationFrame(() => done(true)))")

    def tab(self):
        self.key("Tab", "Tab", 9, text="\t")

    def enter(self):
        self.key("Enter", "Enter", 13, text="\r")

    def select_all(self):
        # A Ctrl combination goes without text, or the page would take it as typing.
        self.key("a", "KeyA", 65, modifiers=2)

    def tap(self, x, y):
        point = [{"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1, "id": 1}]
        self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])


class Chromium:
    """A headless Chromium of its own, with an empty profile, ended when closed."""

    def __init__(self):
        executable = shutil.which("chromium")
        if not executable:
            raise RuntimeError("Chromium is missing (Debian's chromium package)")
        self._profile = tempfile.mkdtemp(prefix="tallyfen-chromium-")
        self._process = subprocess.Popen(
            [executable, *CHROMIUM_FLAGS, f"--user-data-dir={self._profile}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        port_file = os.path.join(self._profile, "DevToolsActivePort")
        end = time.monotonic() + 60
        while not (os.path.exists(port_file) and open(port_file).read().count("\n") >= 1):
            if self._process.poll() is not None or time.monotonic() > end:
                self.close()
                raise RuntimeError("Chromium did not start")
            time.sleep(0.05)
        self._port = int(open(port_file).read().split()[0])

    def new_page(self):
        request = urllib.request.Request(
            f"http://127.0.0.1:{self._port}/json/new?about:blank", method="PUT")
        with urllib.request.urlopen(request) as answer:
            return Page(json.load(answer)["webSocketDebuggerUrl"])

    def close(self):
        # Chromium's helper processes end a moment after its main one and write to the profile as
        # they go: the profile goes once the whole process group has ended, or has been killed.
        group = self._process.pid
        self._signal(group, signal.SIGTERM)
        end = time.monotonic() + 10
        while self._process.poll() is None or self._signal(group, 0):
            if time.monotonic() > end:
                self._signal(group, signal.SIGKILL)
                break
            time.sleep(0.05)
        self._process.wait()
        shutil.rmtree(self._profile, ignore_errors=True)

    @staticmethod
    def _signal(group, number):
        """Sends a signal to the process group; False once no process of it is left."""
        try:
            os.killpg(group, number)
            return True
        except ProcessLookupError:
            return False

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
