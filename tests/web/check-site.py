#!/usr/bin/python3
"""Opens the built site (index.html over HTTP) in a browser as a player would: checks the page's
title and the window's size, plays the typical play with real keys and clicks, through a message
box and on after it, and compares the window with the desktop build's screenshot of the same play.
In Chromium the same again on a phone 360 CSS pixels wide with taps; the play typed the three ways
a phone keyboard sends text, as an Android phone and as an iPhone; what a screen reader finds in
the page; and the pages for browsers that lack what the program needs.

    check-site.py chromium|webkit SITE_DIR DESKTOP_SCREENSHOT.png FORM.ui [SAVE_DIR]

SAVE_DIR, if given, receives the screenshots taken. WebKit needs an X display (xvfb-run).
"""

import io
import json
import os
import pathlib
import shutil
import socket
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

from PIL import Image, ImageChops, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browsers  # noqa: E402

# The colour the program clears its screen to, around the window, and the window's own.
SCREEN_GREY = (51, 51, 51)
WINDOW_BLUE = (0, 0, 255)
# The face of a message box: an open box shows tens of thousands of such pixels, the window alone
# a few hundred (on its buttons).
BOX_FACE = (239, 239, 239)
BOX_SHOWN = 10000
# The colour the window draws a box's selected text on.
SELECTION = (48, 140, 198)
WINDOW_SIZE = (342, 270)
# The page draws letters in the same faces with other hinting. Both windows are softened before
# they are compared, and a pixel differs where its colour differs by more than LARGEST_DIFFERENCE.
# Measured: hinting leaves under 10 such pixels, one digit taken away 50 or more.
SOFTENING = 1.5
LARGEST_DIFFERENCE = 40
MOST_DIFFERING = 24
# A place in the window's lower left, beside any message box over it, where no control is.
BESIDE_BOX = (30, 250)
# Device pixel ratios the page is zoomed to in turn, the last back to where it started.
ZOOMS = (1.25, 1.5, 2, 1)
# The phones whose keyboards are typed with: a user agent and navigator.platform each.
PHONES = (
    ("Android", "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) "
                "Chrome/126.0 Mobile Safari/537.36", "Linux armv8l"),
    ("iPhone", "Mozilla/5.0 (iPhone; CPU iPhone OS 17_5 like Mac OS X) AppleWebKit/605.1.15 "
               "(KHTML, like Gecko) Version/17.5 Mobile/15E148 Safari/604.1", "iPhone"),
)
# What a screen reader finds in the page, in the desktop's Tab order and words.
BOX_NAMES = ["Marvelous count", "Perfect count", "Great count", "Good count", "Boo count",
             "Miss count", "OK count", "Max OK count"]
CONTROL_NAMES = BOX_NAMES + ["Calculate", "Help"]
CONTROL_WIDGETS = ["txtMarvelous", "txtPerfect", "txtGreat", "txtGood", "txtBoo", "txtMiss",
                   "txtOK", "txtMaxOK", "cmdCalculate", "cmdHelp"]
MISMATCH = 'Type mismatch: the Great box holds "abc", which is not a number.'
SPOKEN_RESULT = ("92.8571 percent, grade A, 0.1429 away from AA, Full Combo, "
                 "208 of 224 dance points")
# The focused element: its name, its text and its selection.
FOCUSED = ("(() => { const e = document.activeElement;"
           " return [e.getAttribute('aria-label'), e.value ?? null,"
           " e.selectionStart ?? null, e.selectionEnd ?? null]; })()")


def keys_with_text(page, text):
    """A key at a time, each with its text, as an iPhone's keyboard sends them."""
    for character in text:
        page.cdp("Input.dispatchKeyEvent", type="keyDown", key=character, text=character)
        page.cdp("Input.dispatchKeyEvent", type="keyUp", key=character)


def composed(page, text):
    """Key code 229 and then the text, a key at a time, as Android's keyboards send it."""
    for character in text:
        page.cdp("Input.dispatchKeyEvent", type="rawKeyDown", key="Unidentified",
                 windowsVirtualKeyCode=229)
        page.cdp("Input.insertText", text=character)
        page.cdp("Input.dispatchKeyEvent", type="keyUp", key="Unidentified",
                 windowsVirtualKeyCode=229)


def committed(page, text):
    """The whole text at once: a suggestion taken, or a paste."""
    page.cdp("Input.insertText", text=text)


def phone_key(page, key, code):
    page.cdp("Input.dispatchKeyEvent", type="rawKeyDown", key=key, windowsVirtualKeyCode=code)
    page.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, windowsVirtualKeyCode=code)


PHONE_TYPING = (("keys with text", keys_with_text), ("key code 229", composed),
                ("committed text", committed))


def said_politely(page):
    """The text of each polite live region of the page, as a screen reader would say it."""
    nodes = {node["nodeId"]: node for node in page.cdp("Accessibility.getFullAXTree")["nodes"]}

    def text(node):
        if node["role"]["value"] == "StaticText":
            return node["name"]["value"]
        return "".join(text(nodes[child]) for child in node.get("childIds", []) if child in nodes)

    return [text(node) for node in nodes.values()
            if {"name": "live", "value": {"type": "token", "value": "polite"}}
            in node.get("properties", [])]


def accessible_nodes(page):
    """The page as Chromium shows it to a screen reader: each node's role, name, value,
    description and properties, in the tree's order."""
    return [{"role": node["role"]["value"],
             "name": node.get("name", {}).get("value", ""),
             "value": node.get("value", {}).get("value"),
             "description": node.get("description", {}).get("value"),
             **{p["name"]: p["value"].get("value") for p in node.get("properties", [])}}
            for node in page.cdp("Accessibility.getFullAXTree")["nodes"]
            if not node.get("ignored")]


def form_control(form, name):
    """The centre of a control of the form, from its geometry in the .ui file."""
    for widget in ElementTree.parse(form).iter("widget"):
        if widget.get("name") == name:
            rect = widget.find("property[@name='geometry']/rect")
            x, y, width, height = (int(rect.find(side).text)
                                   for side in ("x", "y", "width", "height"))
            return x + width / 2, y + height / 2
    raise KeyError(name)


def bounding_box(image, colour, matching):
    """The box around the pixels of image that are (matching) or are not the colour."""
    difference = ImageChops.difference(image, Image.new("RGB", image.size, colour)).convert("L")
    return difference.point(lambda v: 255 if (v == 0) == matching else 0).getbbox()


def window_area(screenshot):
    """A screenshot at scale 1, the box of the window with its frame (all that is not the screen's
    grey) and the box of its client area (its blue background reaches all four edges)."""
    image = Image.open(io.BytesIO(screenshot)).convert("RGB")
    return image, bounding_box(image, SCREEN_GREY, False), bounding_box(image, WINDOW_BLUE, True)


def pixels_of(image, colour):
    """How many pixels of image have the colour."""
    return dict((rgb, count) for count, rgb in image.getcolors(1 << 24)).get(colour, 0)


def differing_pixels(shown, expected):
    soft = ImageFilter.GaussianBlur(SOFTENING)
    difference = ImageChops.difference(shown.filter(soft), expected.filter(soft)).convert("L")
    return sum(difference.histogram()[LARGEST_DIFFERENCE + 1:])


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def next_release(site, folder):
    """A copy of the site as its next release: its page and loader marked, and its service worker
    named anew (as a build names it by the hash of the files)."""
    shutil.copytree(site, folder, dirs_exist_ok=True)
    for name, old, new in (("index.html", "<head>", '<head><meta name="release" content="next">'),
                           ("loader.js", "'use strict';",
                            "'use strict';\nwindow.tallyfenRelease = 'next';"),
                           ("service-worker.js", "const release = 'tallyfen-",
                            "const release = 'tallyfen-next-")):
        path = pathlib.Path(folder, name)
        path.write_text(path.read_text().replace(old, new, 1))


class Check:
    def __init__(self, origin, browser, reference, form, save_dir, site):
        self.origin, self.browser, self.form, self.save_dir = origin, browser, form, save_dir
        self.site = site
        self.reference = Image.open(reference).convert("RGB")
        self.failures = []

    def expect(self, condition, what):
        print(("ok      " if condition else "FAILED  ") + what, flush=True)
        if not condition:
            self.failures.append(what)

    def open(self, width, height, mobile, origin=None, phone=None):
        page = self.browser
        page.new_tab(width, height, mobile=mobile)
        if phone:
            page.cdp("Emulation.setUserAgentOverride", userAgent=phone[1], platform=phone[2])
        page.open((origin or self.origin) + "/index.html")
        page.wait_until("document.documentElement.dataset.state === 'running'", 120,
                        "the program running")
        return page

    def shown_window(self, page, settling=0):
        """The screenshot, the window's frame and its client area once it is drawn (the first frame
        follows start-up), after the frames that settle a change of the page, if any."""
        for _ in range(settling):
            page.next_frame()
        for _ in range(100):
            image, frame, area = window_area(page.screenshot())
            if area:
                return image, frame, area
            page.next_frame()
        raise TimeoutError("no window was drawn")

    def drawn(self, page, area):
        """The window's area once the program has drawn what the last event changed (the frames
        after it)."""
        for _ in range(2):
            page.next_frame()
        image, _, _ = window_area(page.screenshot())
        return image, image.crop(area)

    def box_opens_and_closes(self, page, area, name, open_box, beside_box=None):
        """Opens a box, and after beside_box (a click or tap on the window beside it), if given,
        expects the box still to take Enter."""
        open_box()
        self.expect(pixels_of(self.drawn(page, area)[0], BOX_FACE) > BOX_SHOWN,
                    f"{name}: a message box opens over the window")
        if beside_box:
            beside_box(area[0] + BESIDE_BOX[0], area[1] + BESIDE_BOX[1])
        page.enter()
        self.expect(pixels_of(self.drawn(page, area)[0], BOX_FACE) < BOX_SHOWN,
                    f"{name}: Enter closes it")

    def after_play(self, page, area, name):
        image, shown = self.drawn(page, area)
        if self.save_dir:
            image.save(os.path.join(self.save_dir, f"{self.browser.name}-{name}.png"))
        differing = differing_pixels(shown, self.reference)
        self.expect(differing <= MOST_DIFFERING,
                    f"{name}: the window after the play is the desktop build's "
                    f"({differing} pixels differ)")

    def controls_over_widgets(self, page, area, scale, name):
        """Expects each page control's centre over its widget's, within a pixel, where a phone
        scrolls it into view and a screen reader shows it."""
        centres = page.evaluate("[...document.querySelectorAll('#controls > *')].map((e) => {"
                                " const r = e.getBoundingClientRect();"
                                " return [r.x + r.width / 2, r.y + r.height / 2]; })")
        expected = [(area[0] / scale + x, area[1] / scale + y)
                    for x, y in (form_control(self.form, widget) for widget in CONTROL_WIDGETS)]
        self.expect(len(centres) == len(expected) and
                    all(abs(a - b) <= 1 for c, e in zip(centres, expected) for a, b in zip(c, e)),
                    f"{name}: each page control lies over its widget ({centres})")

    def tap_control(self, page, area, name):
        x, y = form_control(self.form, name)
        page.tap(area[0] + x, area[1] + y)

    def click_control(self, page, area, name):
        x, y = form_control(self.form, name)
        page.click(area[0] + x, area[1] + y)

    def desktop(self):
        page = self.open(1280, 800, mobile=False)
        self.expect(page.evaluate("document.title") == "Tallyfen", "the page is titled Tallyfen")
        _, frame, area = self.shown_window(page)
        size = (area[2] - area[0], area[3] - area[1])
        self.expect(size == WINDOW_SIZE, f"desktop: the window is 342 x 270 ({size[0]} x {size[1]})")
        self.expect(frame == area, "desktop: the page is the window's frame (no title bar to close)")
        # Keys as the desktop screenshot was taken: the counts, Tab from box to box, Calculate;
        # but Great holds "abc" at first. Once the message is closed, the Great box has the focus
        # with its text selected, and takes the 10; then a click on Calculate, or where the browser's
        # driver cannot point, Tab to it and Space.
        page.select_all()
        page.type("90")
        for count in ("0", "abc", "0", "0", "0", "3", "4"):
            page.tab()
            page.type(count)
        page.tab()
        self.box_opens_and_closes(page, area, "desktop", page.enter,
                                  page.click if page.can_point else None)
        page.type("10")
        if page.can_point:
            self.click_control(page, area, "cmdCalculate")
        else:
            for _ in ("Good", "Boo", "Miss", "OK", "Max OK", "Calculate"):
                page.tab()
            page.type(" ")
        self.after_play(page, area, "desktop")
        if page.name == "chromium":
            self.zoomed(page)

    def in_middle(self, page, name, size):
        """Expects the window drawn whole in the middle of the page at the size given (device
        pixels); returns its frame and area."""
        image, frame, area = self.shown_window(page, settling=2)
        viewport = image.size
        if self.save_dir:
            image.save(os.path.join(self.save_dir, f"{self.browser.name}-{name}.png"))
        # At a fractional scale the window's edges fall between pixels: its blue fills a pixel less
        # on each side, and the pixels it shares with the page are neither blue nor grey.
        inner = (area[2] - area[0], area[3] - area[1])
        outer = (frame[2] - frame[0], frame[3] - frame[1])
        off_centre = (frame[0] + frame[2] - viewport[0], frame[1] + frame[3] - viewport[1])
        self.expect(all(i <= s <= o <= i + 4 for i, s, o in zip(inner, size, outer)),
                    f"{name}: the window is drawn at {size[0]} x {size[1]} "
                    f"(from {inner} to {outer})")
        self.expect(all(abs(off) <= 2 for off in off_centre),
                    f"{name}: the window is in the middle of the page (frame {frame})")
        return frame, area

    def zoomed(self, page):
        """A player zooms the page, to each ratio and back, with a result shown."""
        for scale in ZOOMS:
            page.set_viewport(round(1280 / scale), round(800 / scale), scale=scale)
            _, area = self.in_middle(page, f"zoomed to {scale}",
                                     (round(WINDOW_SIZE[0] * scale), round(WINDOW_SIZE[1] * scale)))
            self.controls_over_widgets(page, area, scale, f"zoomed to {scale}")
        self.after_play(page, area, "desktop zoomed and back")

    def phone(self):
        page = self.open(360, 640, mobile=True)
        _, frame, area = self.shown_window(page)
        self.expect(frame[0] >= 0 and frame[2] <= 360 and frame[1] >= 0 and frame[3] <= 640,
                    f"phone: the whole window is in view at 360 x 640 (frame {frame})")
        # The help tapped open and closed; each box tapped, its text selected and typed over;
        # Calculate tapped.
        self.box_opens_and_closes(page, area, "phone",
                                  lambda: self.tap_control(page, area, "cmdHelp"), page.tap)
        for box, count in (("txtMarvelous", "90"), ("txtGreat", "10"), ("txtOK", "3"),
                           ("txtMaxOK", "4")):
            self.tap_control(page, area, box)
            page.select_all()
            page.type(count)
        self.tap_control(page, area, "cmdCalculate")
        self.after_play(page, area, "phone")
        # A keyboard open over the lower 300 pixels leaves the page above it.
        for name, width, height in (("phone keyboard open", 360, 340), ("phone turned", 640, 360)):
            page.set_viewport(width, height, mobile=True)
            _, area = self.in_middle(page, name, WINDOW_SIZE)
            self.controls_over_widgets(page, area, 1, name)
        self.after_play(page, area, "phone turned")
        # A page smaller than the window keeps the window's top-left corner in view.
        page.set_viewport(300, 200, mobile=True)
        _, frame, _ = self.shown_window(page, settling=2)
        self.expect(frame[:2] == (0, 0), f"a page smaller than the window: its top-left in view "
                                         f"(frame {frame})")

    def phone_keyboards(self):
        """The play typed on each phone, each way its keyboard may send text: a tap on a box opens
        the number keyboard in it, the delete key takes its 0 away, Enter goes to the next box
        and from the last calculates."""
        for phone in PHONES:
            for way, send in PHONE_TYPING:
                name = f"{phone[0]}, {way}"
                page = self.open(360, 640, mobile=True, phone=phone)
                _, _, area = self.shown_window(page)
                self.tap_control(page, area, "txtMarvelous")
                keyboard = page.evaluate("[document.activeElement.getAttribute('aria-label'),"
                                         " document.activeElement.inputMode]")
                self.expect(keyboard == ["Marvelous count", "decimal"],
                            f"{name}: a tap on a box opens the number keyboard in it ({keyboard})")
                for count in ("90", "0", "10", "0", "0", "0", "3", "4"):
                    phone_key(page, "Backspace", 8)
                    send(page, count)
                    phone_key(page, "Enter", 13)
                self.after_play(page, area, name)

    def accessible(self):
        """What a screen reader finds: the boxes and buttons in Tab order with their names and
        values, the focus where the desktop puts it, the message box, and the result said."""
        page = self.open(1280, 800, mobile=False)
        _, _, area = self.shown_window(page)
        self.controls_over_widgets(page, area, 1, "desktop")
        nodes = accessible_nodes(page)
        controls = [(n["role"], n["name"]) for n in nodes if n["role"] in ("textbox", "button")]
        self.expect(controls == [("textbox", n) for n in BOX_NAMES] +
                    [("button", "Calculate"), ("button", "Help")],
                    f"a screen reader finds the eight boxes, Calculate and Help ({controls})")
        self.expect(page.evaluate(FOCUSED) == ["Marvelous count", "0", 0, 1],
                    f"the page opens in the Marvelous box, its 0 selected "
                    f"({page.evaluate(FOCUSED)})")
        for name, tab, order in (("Tab", page.tab, CONTROL_NAMES[1:] + CONTROL_NAMES[:1]),
                                 ("Shift+Tab", page.shift_tab, CONTROL_NAMES[::-1])):
            visited = []
            for _ in order:
                tab()
                visited.append(page.evaluate(FOCUSED)[0])
            self.expect(visited == order, f"{name} goes round the controls in order ({visited})")
        page.type("abc" + browsers.Keys.HOME)
        page.shift(browsers.Keys.RIGHT)
        self.expect(page.evaluate(FOCUSED) == ["Marvelous count", "abc", 0, 1],
                    f"Shift+Right selects one letter ({page.evaluate(FOCUSED)})")
        page.type(browsers.Keys.END)
        typed = pixels_of(self.drawn(page, area)[0], SELECTION)
        page.select_all()
        selected = pixels_of(self.drawn(page, area)[0], SELECTION)
        self.expect(typed == 0 < selected, f"Ctrl+A in a field selects its box's text in the "
                                           f"window ({typed}, then {selected} pixels selected)")
        page.type("9")
        page.select_all()
        page.with_control("c")
        page.tab()
        page.with_control("v")
        self.expect(page.evaluate(FOCUSED) == ["Perfect count", "9", 1, 1],
                    f"Ctrl+A selects a box's text, typing replaces it, and it copies and pastes "
                    f"({page.evaluate(FOCUSED)})")
        page.shift_tab()
        tab = browsers.Keys.TAB
        page.type("90" + tab + "0" + tab + "abc" + tab * 4 + "3" + tab + "4" + tab + " ")
        page.wait_until("!document.getElementById('message-box').hidden", 10, "a message box")
        dialog = [(n["role"], n["name"], n["description"], n.get("modal"), n.get("focused"))
                  for n in accessible_nodes(page) if n["role"] in ("alertdialog", "button")]
        self.expect(dialog == [("alertdialog", "Tallyfen", MISMATCH, True, None),
                               ("button", "OK", None, None, True)],
                    f"the message is a modal alert dialog, read in full, OK focused ({dialog})")
        page.type(browsers.Keys.ESCAPE)
        # The focus comes back once the window is active again, after the box has gone.
        page.wait_until("document.getElementById('controls').contains(document.activeElement)",
                        10, "the focus back in the window")
        self.expect(page.evaluate(FOCUSED) == ["Great count", "abc", 0, 3],
                    f"Esc closes it; the focus is back in the Great box, its text selected "
                    f"({page.evaluate(FOCUSED)})")
        page.type("10" + tab * 6 + browsers.Keys.ENTER)
        spoken = said_politely(page)
        self.expect(SPOKEN_RESULT in spoken, f"Enter on Calculate says the result ({spoken})")
        self.click_control(page, area, "lblBoo")
        boxes = [(n["name"], n["value"]) for n in accessible_nodes(page) if n["role"] == "textbox"]
        self.expect(boxes == list(zip(BOX_NAMES[:4] + ["Uber count"] + BOX_NAMES[5:],
                                      ["90", "0", "10", "0", "0", "0", "3", "4"])),
                    f"the boxes hold the play; after a click on Boo its box is the Uber count "
                    f"({boxes})")
        # A screen reader, or an iPhone's arrows over its keyboard, move the page's focus: the
        # window's follows, and Tab goes on from there.
        page.evaluate("document.querySelector('[aria-label=\"Good count\"]').focus()")
        page.tab()
        self.expect(page.evaluate(FOCUSED)[0] == "Uber count",
                    f"the window's focus follows the page's ({page.evaluate(FOCUSED)})")
        page.evaluate("document.getElementById('screen').focus()")
        self.expect(page.evaluate(FOCUSED)[0] == "Uber count",
                    f"the canvas hands the focus back to the window's control "
                    f"({page.evaluate(FOCUSED)})")
        # A screen reader presses a page button as a click with no key or pointer behind it.
        page.evaluate("document.querySelector('#controls [aria-label=Help]').click()")
        page.wait_until("!document.getElementById('message-box').hidden", 10,
                        "the help, pressed by a screen reader")
        page.evaluate("document.querySelector('#message-box button').click()")
        page.wait_until("document.getElementById('controls').contains(document.activeElement)",
                        10, "the help closed by its OK, pressed by a screen reader")

    def play_with_keys(self, page, name):
        """The typical play typed box by box and calculated, compared with the desktop's."""
        page.select_all()
        for count in ("90", "0", "10", "0", "0", "0", "3", "4"):
            page.type(count)
            page.tab()
        page.enter()
        _, _, area = self.shown_window(page)
        self.after_play(page, area, name)

    def release_shown(self, page):
        """The release of the page (from index.html) and of the loader that runs in it."""
        return page.evaluate("[document.querySelector('meta[name=release]')?.content ?? 'first',"
                             " window.tallyfenRelease ?? 'first']")

    def installable(self):
        """Installable, kept for use without a network after one visit, and replaced whole by
        the next release, while a page already open keeps its own."""
        page = self.browser
        port = free_port()
        with browsers.serve(self.site, port) as origin:
            self.open(1280, 800, mobile=False, origin=origin)
            manifest = page.cdp("Page.getAppManifest")
            data = json.loads(manifest.get("data") or "{}")
            self.expect(not manifest["errors"] and data.get("display") == "standalone" and
                        {"192x192", "512x512"} <= {icon["sizes"] for icon in data["icons"]},
                        f"the page has a manifest: standalone, icons of 192 and 512 ({data})")
            page.wait_until("navigator.serviceWorker.controller !== null", 60,
                            "a service worker keeping the site")
            errors = page.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
            self.expect(not errors, f"the page can be installed ({errors})")
            wasm_type = page.evaluate("caches.match('tallyfen.wasm')"
                                      ".then((kept) => kept.headers.get('Content-Type'))")
            self.expect(wasm_type == "application/wasm",
                        f"the kept program is application/wasm ({wasm_type})")
        # The server is gone: the page opens and plays all the same.
        self.open(1280, 800, mobile=False, origin=origin)
        self.play_with_keys(page, "without a network")

        with tempfile.TemporaryDirectory(prefix="tallyfen-next-release-") as updated:
            next_release(self.site, updated)
            with browsers.serve(updated, port):
                page.evaluate("navigator.serviceWorker.ready.then((kept) => kept.update())")
                page.wait_until("caches.keys().then((names) => names.length === 2)", 120,
                                "the next release kept beside the one open")
                page.evaluate("location.reload()")
                page.wait_until("document.documentElement.dataset.state === 'running'", 120,
                                "the page reloaded")
                self.expect(self.release_shown(page) == ["first", "first"],
                            "a page open keeps the release it started with")
                page.open("about:blank")
                self.open(1280, 800, mobile=False, origin=origin)
                self.expect(self.release_shown(page) == ["next", "next"],
                            f"once no page runs the first, the next release is opened whole "
                            f"({self.release_shown(page)})")
                names = page.evaluate("caches.keys()")
                self.expect(len(names) == 1, f"and the first release is gone ({names})")

    def without(self, name, script=None, script_off=False):
        """A browser that lacks something the program needs gets a sentence, not a loading bar."""
        page = self.browser
        page.new_tab(1280, 800, before_load=script)
        page.cdp("Emulation.setScriptExecutionDisabled", value=script_off)
        page.open(self.origin + "/index.html")
        # The page is read with script on again; what it parsed without script stays as it was.
        page.cdp("Emulation.setScriptExecutionDisabled", value=False)
        shown = page.evaluate("[...document.querySelectorAll('#status p')]"
                              ".filter((p) => p.offsetParent !== null)"
                              ".map((p) => p.textContent).join(' ')")
        if script_off:
            self.expect("needs JavaScript" in shown and "Loading" not in shown,
                        f"{name}: the page says it needs JavaScript ({shown.strip()!r})")
        else:
            self.expect("cannot run Tallyfen" in shown and "Linux" in shown,
                        f"{name}: the page says so and points to the programs ({shown.strip()!r})")

    def unsupported(self):
        self.without("no WebAssembly", script="delete window.WebAssembly;")
        self.without("no WebGL", script="HTMLCanvasElement.prototype.getContext = () => null;")
        self.without("script off", script_off=True)


def main():
    if len(sys.argv) not in (5, 6) or sys.argv[1] not in ("chromium", "webkit"):
        print(__doc__, file=sys.stderr)
        return 2
    engine, site, reference, form = sys.argv[1:5]
    save_dir = sys.argv[5] if len(sys.argv) == 6 else None
    with browsers.serve(site) as origin, getattr(browsers, engine)() as browser:
        check = Check(origin, browser, reference, form, save_dir, site)
        check.desktop()
        # Phones, missing features and installing are seen through Chromium's own commands.
        if engine == "chromium":
            check.phone()
            check.phone_keyboards()
            check.accessible()
            check.unsupported()
            check.installable()
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
