"""The scenario runner both front ends' end-to-end tests share. A moment of
the game is a table of steps; a step is an input on one of the game's
controls, named as the game knows them ("start", "read", "left", ...), and
what the picture shows after it. A way of playing (keys, a pad, touch) says
what each control is on it; a driver (the desktop under X, the page in
Chromium, the desktop's pad player) does the inputs and answers the checks
from what it can see."""
import dataclasses
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
GOLDEN = ROOT / "tests" / "desktop" / "window" / "golden"
sys.path.insert(0, str(ROOT / "tools"))
from picture_codecs import read_rgba_png  # noqa: E402

WIDTH, HEIGHT = 621, 380
INSCRIPTIONS = ROOT / "game" / "world" / "inscriptions.cpp"


@dataclasses.dataclass(frozen=True)
class Expect:
    """What the picture shows; None: not looked at."""
    screen: str = None          # "title" or "play"
    room: tuple = None          # (RoomX, RoomY)
    monument: int = None        # the monument Sekihi shows
    band: object = None         # Label1 showing that monument's inscription (or this text); False: hidden
    chick: tuple = None         # Munyu's (Left, Top)
    chick_in: tuple = None      # ((least Left, most Left), (least Top, most Top))
    held: object = None         # a virtual key held, or False: nothing held
    still: bool = None          # the chick stands where it is over a few ticks
    looks: tuple = None         # (reference image, its masks) outside the text
    picker: object = None       # the highlighted letter (0 = A), or False: closed


@dataclasses.dataclass(frozen=True)
class Step:
    """`act` on `control`: "press" (down and up), "down", "up", "hold" (down
    for `until` ticks, then up), "until" (held on until `until`, an Expect,
    is seen), "wait" `until` ticks; then `expect`, and what the step shows."""
    act: str
    control: str = None
    until: object = None
    expect: Expect = None
    says: str = ""


def reference(name):
    """A reference image of the desktop's window as (r, g, b) rows."""
    width, _, rows = read_rgba_png((GOLDEN / f"{name}.png").read_bytes())
    return [[tuple(row[x:x + 3]) for x in range(0, width * 4, 4)] for row in rows]


def inscription(n):
    """Monument n's text, as the game's table has it."""
    import re
    return re.search(r'u"([^"]*)",\s*// ' + str(n) + r'\n', INSCRIPTIONS.read_text()).group(1)


def ink_box(rows, box, back):
    """The bounding box of the pixels in `box` that are not `back`."""
    left, top, right, bottom = box
    xs, ys = [], []
    for y in range(max(0, top), min(len(rows), bottom)):
        for x in range(max(0, left), min(len(rows[0]), right)):
            if rows[y][x] != back:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


def differences(rows, name, masks, text_boxes):
    """The pixels of `rows` outside the text (and `masks`) that are not the
    reference image's."""
    golden = reference(name)
    masks = list(masks) + [ink for box, back in text_boxes for image in (rows, golden)
                           if (ink := ink_box(image, box, back))]
    return [(x, y) for y in range(HEIGHT) for x in range(WIDTH)
            if rows[y][x] != golden[y][x]
            and not any(m[0] <= x < m[2] and m[1] <= y < m[3] for m in masks)]


class Failures:
    """The checks of a run, printed as they are made."""

    def __init__(self):
        self.failed = []

    def check(self, ok, what):
        print(("ok    " if ok else "FAIL  ") + what, flush=True)
        if not ok:
            self.failed.append(what)
        return ok

    def outcome(self):
        print(f"{len(self.failed)} check(s) failed" if self.failed else "all passed")
        return 1 if self.failed else 0


def run(driver, way, moment, failures):
    """Plays `moment` on `driver` with the controls of `way`."""
    for step in moment:
        entry = way.get(step.control) if step.control else None
        if step.control and entry is None:
            continue  # a control this way of playing does not have
        if step.act == "press":
            driver.down(entry)
            driver.up(entry)
        elif step.act in ("down", "up"):
            getattr(driver, step.act)(entry)
        elif step.act == "wait":
            driver.ticks(step.until)
        elif step.act == "until":
            failures.check(driver.hold_until(entry, step.until), step.says or str(step.until))
        elif step.act == "hold":
            driver.down(entry)
            driver.ticks(step.until)
            driver.up(entry, slide=True)  # a finger may slide on to the next direction
        if step.expect:
            for ok, what in driver.see(step.expect):
                failures.check(ok, f"{step.says}: {what}" if step.says else what)
