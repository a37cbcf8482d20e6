#!/usr/bin/python3
"""Writes the web page's window from the window's form: its markup into the page's template and
its layout after the page's own style, so that the page draws what the desktop window shows,
where the form puts it, and nothing of the layout is written twice. The page is written as
SITE_DIR/index.html.in, still to be named by its release.

    write-page.py FORM.ui PAGE.html.in PAGE.css SITE_DIR

Each control becomes an element named by its object name, at its geometry, in its face, size,
weight and colour: a count box an <input>, a push button a <button>, a label with a grade picture
an <img>, the line an <hr>, any other label a <div> (the title the page's heading). In the page
the heading comes first, then the controls that take the focus in the form's Tab order (each box
followed by its caption), then the rest as a reader reads them, top to bottom and left to right.
"""

import html
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

BOX = "tallyfen::CountBox"
BUTTONS = ("QPushButton", "tallyfen::CommandButton")
# A point is 96/72 CSS pixels, as on a desktop at 96 dots per inch.
PIXELS_PER_POINT = 96 / 72


class Widget:
    def __init__(self, element):
        self.kind = element.get("class")
        self.name = element.get("name")
        self.properties = {p.get("name"): p for p in element.findall("property")}

    def value(self, name, default=None):
        prop = self.properties.get(name)
        if prop is None:
            return default
        child = prop[0]
        return child.text or "" if child.tag in ("string", "cstring", "set", "enum") else child

    def text(self, name):
        return self.value(name, "")

    def is_picture(self):
        return self.kind == "QLabel" and self.name.startswith("img")

    def focusable(self):
        return self.kind == BOX or self.kind in BUTTONS

    def geometry(self):
        rect = self.properties["geometry"].find("rect")
        return tuple(int(rect.find(side).text) for side in ("x", "y", "width", "height"))

    def colour(self, role):
        brush = self.properties.get("palette")
        color = brush.find(f"palette/active/colorrole[@role='{role}']/brush/color") \
            if brush is not None else None
        if color is None:
            return None
        return "#" + "".join(f"{int(color.find(c).text):02x}" for c in ("red", "green", "blue"))


def markup(widget, buddies, first, enter):
    name = html.escape(widget.name)
    label = widget.text("accessibleName")
    if widget.kind == BOX:
        # The number keyboard on a phone, whose Enter goes on: to the next box, or from the last
        # one on to the button after it.
        focus = " autofocus" if first else ""
        return (f'<input id="{name}" type="text" inputmode="decimal" enterkeyhint="{enter}" '
                f'autocomplete="off" autocapitalize="off" autocorrect="off" spellcheck="false" '
                f'aria-label="{html.escape(label)}" value="{html.escape(widget.text("text"))}"'
                f'{focus}>')
    if widget.kind in BUTTONS:
        named = f' aria-label="{html.escape(label)}"' if label != widget.text("text") else ""
        return (f'<button id="{name}" type="button"{named}>'
                f'{html.escape(widget.text("text"))}</button>')
    if widget.is_picture():
        grade = widget.name[len("img"):]
        x, y, width, height = widget.geometry()
        # A picture hidden at first is fetched once it is shown.
        hidden = ' loading="lazy" hidden' if widget.value("visible") is not None and \
            widget.value("visible").text == "false" else ""
        return (f'<img id="{name}" src="grades/{grade}.jpg" '
                f'srcset="grades/{grade}.jpg 1x, grades/{grade}@2x.jpg 2x" width="{width}" '
                f'height="{height}" alt="{html.escape(label)}"{hidden}>')
    if widget.kind == "QFrame":
        return f'<hr id="{name}">'
    tag = "h1" if widget.name == "lblTitle" else "div"
    # A caption's words are its box's name already.
    hidden = ' aria-hidden="true"' if widget.name in buddies else ""
    return f'<{tag} id="{name}"{hidden}>{html.escape(widget.text("text"))}</{tag}>'


def style(widget, window_font):
    x, y, width, height = widget.geometry()
    rules = [f"left: {x}px", f"top: {y}px", f"width: {width}px", f"height: {height}px"]
    if widget.is_picture() or widget.kind == "QFrame":
        return rules
    font = widget.properties.get("font")
    font = font.find("font") if font is not None else window_font
    family = font.findtext("family") or window_font.findtext("family")
    # The form holds whole points; a label that is drawn at a fraction of a point says so.
    points = widget.value("pointSizeF")
    points = float(points.text) if points is not None else \
        float(font.findtext("pointsize") or window_font.findtext("pointsize"))
    weight = "bold" if font.findtext("bold") == "true" else "normal"
    rules.append(f'font: {weight} {points * PIXELS_PER_POINT:.6g}px "{family}", sans-serif')
    if widget.kind == BOX:
        # One line in the middle of the box, inside its frame, in every engine.
        rules.append(f"line-height: {height - 2}px")
    colour = widget.colour("WindowText")
    if colour:
        rules.append(f"color: {colour}")
    alignment = widget.text("alignment")
    if "AlignHCenter" in alignment:
        rules.append("text-align: center")
    if widget.kind == "QLabel" and widget.value("wordWrap") is not None and \
            widget.value("wordWrap").text == "true":
        rules.append("white-space: normal")
    return rules


def reading_order(widget):
    x, y, _, _ = widget.geometry()
    return (y, x)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    form_file, template_file, style_file, site = sys.argv[1:]
    ui = ElementTree.parse(form_file).getroot()
    form = ui.find("widget")
    window = Widget(form)
    window_font = window.properties["font"].find("font")
    widgets = {w.name: w for w in (Widget(e) for e in form.findall("widget"))}
    tab_order = [stop.text for stop in ui.findall("tabstops/tabstop")]
    buddies = {w.text("buddy"): name for name, w in widgets.items() if w.text("buddy")}

    heading = [widgets["lblTitle"]]
    focusable = []
    for name in tab_order:
        focusable.append(widgets[name])
        if name in buddies:
            focusable.append(widgets[buddies[name]])
    rest = sorted((w for w in widgets.values() if w not in heading + focusable),
                  key=reading_order)
    ordered = heading + focusable + rest
    captions = set(buddies.values())

    # The window opens in its first box.
    first = tab_order[0]
    enter = {name: "next" if next_stop in widgets and widgets[next_stop].kind == BOX else "go"
             for name, next_stop in zip(tab_order, tab_order[1:] + [None])}
    elements = "\n".join(markup(w, captions, w.name == first, enter.get(w.name))
                          for w in ordered)
    _, _, width, height = window.geometry()
    page = pathlib.Path(template_file).read_text(encoding="utf-8")
    pathlib.Path(site, "index.html.in").write_text(page.replace("@TALLYFEN_WINDOW@", elements),
                                                   encoding="utf-8")

    rules = [f"#frmTallyfen {{ width: {width}px; height: {height}px; "
             f"background: {window.colour('Window')}; }}"]
    rules += [f"#{w.name} {{ {'; '.join(style(w, window_font))}; }}" for w in ordered]
    css = pathlib.Path(style_file).read_text(encoding="utf-8")
    pathlib.Path(site, "tallyfen.css").write_text(
        css + "\n/* The window's controls, from its form. */\n" + "\n".join(rules) + "\n",
        encoding="utf-8")


if __name__ == "__main__":
    main()
