"""A screen-reader user's session with Tallyfen, through the accessibility bus (AT-SPI).

Finds the program on the bus, types the counts of a typical play into the boxes it finds by their
spoken names, presses Calculate, and reads the percentage, the grade and the award back from the
labels it finds by their descriptions; then opens the help box, reads it and closes it; then edits
a box and hears the result go away. Run by run-on-private-desktop.sh, which owns the bus and the
program; this script leaves the program running.
"""

import argparse
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

POLL_SECONDS = 0.05
STEP_SECONDS = 10

# Spoken name of each box, the caption that labels it, and the count typed into it.
TYPICAL_PLAY = [
    ("Marvelous count", "Marvelous", "90"),
    ("Perfect count", "Perfect", "0"),
    ("Great count", "Great", "10"),
    ("Good count", "Good", "0"),
    ("Boo count", "Boo", "0"),
    ("Miss count", "Miss", "0"),
    ("OK count", "OK", "3"),
    ("Max OK count", "Max OK", "4"),
]
TYPICAL_RESULTS = [
    ("Total dance percent", "92.8571"),
    ("Next grade", "AA"),
    ("Percent away from the next grade", "0.1429"),
    ("Award", "Full Combo"),
    ("Dance points", "208"),
    ("Maximum dance points", "224"),
]
TYPICAL_GRADE = "Grade A"
HELP_OPENING = "Insert the score you have gotten into the text boxes and hit calculate."
HELP_LENGTH = 412


class SessionFailure(Exception):
    pass


def wait_for(what, find, seconds=STEP_SECONDS, hint=""):
    """Polls find() until it gives something true, and returns that; fails at the deadline."""
    deadline = time.monotonic() + seconds
    while True:
        # Lets bus messages queued for this process through before looking again.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = find()
        except GLib.Error:
            found = None  # an object went away while it was being read; look again
        if found:
            return found
        if time.monotonic() >= deadline:
            raise SessionFailure(f"{what}: nothing after {seconds} s{hint}")
        time.sleep(POLL_SECONDS)


def children(node):
    # A child that goes away between the count and the look-up comes back as None.
    found = (node.get_child_at_index(i) for i in range(node.get_child_count()))
    return [child for child in found if child is not None]


def descendants(root):
    pending = [root]
    while pending:
        node = pending.pop()
        yield node
        pending.extend(children(node))


def find_all(root, role, name=None, description=None):
    return [
        node
        for node in descendants(root)
        if node.get_role() == role
        and (name is None or node.get_name() == name)
        and (description is None or node.get_description() == description)
    ]


def find_one(root, what, role, name=None, description=None):
    matches = find_all(root, role, name, description)
    if len(matches) != 1:
        raise SessionFailure(f"{what}: expected one, found {len(matches)}")
    return matches[0]


def is_showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def press(button):
    """Runs the button's press action, as a screen reader's activate command does."""
    count = Atspi.Action.get_n_actions(button)
    with warnings.catch_warnings():
        # Its replacement, atspi_action_get_name, is not in the Python bindings of at-spi2 2.46.
        warnings.simplefilter("ignore", DeprecationWarning)
        actions = [Atspi.Action.get_action_name(button, i) for i in range(count)]
    for index, action in enumerate(actions):
        if action.lower() in ("press", "click"):
            if not Atspi.Action.do_action(button, index):
                raise SessionFailure(f"{button.get_name()}: the {action} action was refused")
            return
    raise SessionFailure(f"{button.get_name()}: no press action among {actions}")


def box_text(box):
    return box.get_text(0, box.get_character_count())


def find_box(window, box_name):
    return find_one(window, f'count box "{box_name}"', Atspi.Role.TEXT, name=box_name)


def captions_of(box):
    """The labels a screen reader names as labelling the box."""
    return [
        relation.get_target(i).get_name()
        for relation in box.get_relation_set()
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
        for i in range(relation.get_n_targets())
    ]


def type_into(window, box_name, text):
    box = find_box(window, box_name)
    if not box.set_text_contents(text):
        raise SessionFailure(f'"{box_name}" refused the text {text}')
    wait_for(f'"{box_name}" holding {text}', lambda: box_text(box) == text)


def read_label(window, description):
    return find_one(
        window, f'label "{description}"', Atspi.Role.LABEL, description=description
    ).get_name()


def showing_grades(window):
    return [
        picture.get_name()
        for picture in find_all(window, Atspi.Role.IMAGE)
        if picture.get_name().startswith("Grade ") and is_showing(picture)
    ]


def check(what, heard, expected):
    if heard != expected:
        raise SessionFailure(f"{what}: heard {heard!r}, expected {expected!r}")
    print(f"ok: {what}: {heard!r}")


def program_running(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(") ", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def find_program(pid):
    if not program_running(pid):
        raise SessionFailure(f"Tallyfen (process {pid}) has exited")
    desktop = Atspi.get_desktop(0)
    # Read everything live: this script runs no main loop that would keep a cache current.
    desktop.set_cache_mask(Atspi.Cache.NONE)
    for application in children(desktop):
        if application.get_name() == "Tallyfen" and application.get_process_id() == pid:
            return application
    return None


def main_window(application):
    windows = [w for w in children(application) if w.get_name() == "Tallyfen" and is_showing(w)]
    return windows[0] if len(windows) == 1 else None


def dialogs(application):
    return [
        w
        for w in children(application)
        if w.get_role() in (Atspi.Role.DIALOG, Atspi.Role.ALERT) and is_showing(w)
    ]


def calculate_typical_play(window):
    for box_name, caption, count in TYPICAL_PLAY:
        check(f'caption of "{box_name}"', captions_of(find_box(window, box_name)), [caption])
        type_into(window, box_name, count)
    press(find_one(window, "Calculate button", Atspi.Role.PUSH_BUTTON, name="Calculate"))
    wait_for("a percentage shown", lambda: read_label(window, "Total dance percent"))
    for description, expected in TYPICAL_RESULTS:
        check(description, read_label(window, description), expected)
    check("showing grade", showing_grades(window), [TYPICAL_GRADE])


def read_help(application, window):
    press(find_one(window, "Help button", Atspi.Role.PUSH_BUTTON, name="Help"))
    opened = wait_for("the help box opening", lambda: dialogs(application))
    if len(opened) != 1:
        raise SessionFailure(f"help box: expected one, found {len(opened)}")
    dialog = opened[0]
    check("help box title", dialog.get_name(), "Tallyfen")
    texts = [
        label.get_name()
        for label in find_all(dialog, Atspi.Role.LABEL)
        if label.get_name() and is_showing(label)
    ]
    if len(texts) != 1:
        raise SessionFailure(f"help box: expected one text, found {texts}")
    check("help text opening", texts[0][: len(HELP_OPENING)], HELP_OPENING)
    check("help text length", len(texts[0]), HELP_LENGTH)
    press(find_one(dialog, "OK button of the help box", Atspi.Role.PUSH_BUTTON, name="OK"))
    wait_for("the help box closing", lambda: not dialogs(application))
    print("ok: help box closed")


def edit_clears_results(window):
    type_into(window, "Great count", "11")
    wait_for(
        "the results clearing after an edit",
        lambda: read_label(window, "Total dance percent") == "" and not showing_grades(window),
    )
    check("award after an edit", read_label(window, "Award"), "")


def run(pid, startup_seconds):
    application = wait_for(
        f"Tallyfen (process {pid}) appearing on the accessibility bus",
        lambda: find_program(pid),
        startup_seconds,
        hint="; is Qt's AT-SPI bridge built, and did the program find the accessibility bus?",
    )
    print(f"ok: Tallyfen found on the accessibility bus (process {pid})")
    window = wait_for("the Tallyfen window showing", lambda: main_window(application))

    calculate_typical_play(window)
    read_help(application, window)
    if find_program(pid) is None or main_window(application) is None:
        raise SessionFailure("Tallyfen is gone from the bus after the help box closed")
    print("ok: Tallyfen still running after the help box")
    edit_clears_results(window)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pid", type=int, required=True, help="process id of the program")
    parser.add_argument("--startup-seconds", type=float, default=STEP_SECONDS)
    arguments = parser.parse_args()
    try:
        run(arguments.pid, arguments.startup_seconds)
    except (SessionFailure, GLib.Error) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
