"""The scenario runner both front ends' end-to-end tests share. A moment of
the game is a table of steps; a step is an input on one of the game's
controls, named as the game knows them ("start", "read", "left", ...), and
what the picture shows after it. A way of playing (keys, a pad, touch) says
what each control is on it; a driver (the desktop under X, the page in
Chromium, the desktop's pad player) does the inputs and answers the checks
from what it can see."""
import dataclasses
import pathlib
import re
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
    band: object = None         # Label1 showing that monument's text (or this); False: hidden
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


def judge(expect, state):
    """The checks of `expect` that `state` (a driver's view: title, room,
    chick, monument, band, held) can answer."""
    band = expect.band if expect.band is False or isinstance(expect.band, str) \
        else expect.band is not None and inscription(expect.band)
    wants = {"title": expect.screen and expect.screen == "title", "room": expect.room,
             "chick": expect.chick, "monument": expect.monument,
             "band": None if expect.band is None else band,
             "held": None if expect.held is None else [expect.held] if expect.held else []}
    checks = [(state[k] == want, f"{k} {want}: {state[k]}") for k, want in wants.items()
              if want is not None and k in state]
    if expect.chick_in and state.get("chick"):
        (x0, x1), (y0, y1) = expect.chick_in
        x, y = state["chick"]
        checks.append((x0 <= x <= x1 and y0 <= y <= y1, f"chick in {expect.chick_in}: {x}, {y}"))
    return checks


def see(driver, expect, polls=40):
    """The checks of `expect`, asked again until they hold (a tick apart) or
    `polls` run out; then whether the chick stands still over three ticks and
    what the driver sees for itself (pictures, the letter picker)."""
    for _ in range(polls):
        state = driver.state()
        checks = judge(expect, state)
        if all(ok for ok, _ in checks):
            break
        driver.ticks(1)
    if expect.still:
        driver.ticks(3)
        checks.append((driver.state()["chick"] == state["chick"], "the chick stands still"))
    return checks + driver.look(expect, state)


def hold_until(driver, entry, expect, polls=300):
    """Whether `expect` comes while `entry` is held (the driver repeating it
    as a keyboard does, where that is the driver's to do)."""
    for _ in range(polls):
        if all(ok for ok, _ in judge(expect, driver.state())):
            return True
        driver.repeat(entry)
    return False


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


def expect(driver, failures, says, **seen):
    """Checks what `seen` says is seen now (see Expect)."""
    for ok, what in see(driver, Expect(**seen)):
        failures.check(ok, f"{says}: {what}")


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
            failures.check(hold_until(driver, entry, step.until), step.says or str(step.until))
        elif step.act == "hold":
            driver.down(entry)
            driver.ticks(step.until)
            driver.up(entry, slide=True)  # a finger may slide on to the next direction
        if step.expect:
            for ok, what in see(driver, step.expect):
                failures.check(ok, f"{step.says}: {what}" if step.says else what)
