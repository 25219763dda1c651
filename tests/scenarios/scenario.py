"""The scenario runner both front ends' end-to-end tests share: a moment is steps on the game's
controls ("start", "read", ...) and what is seen after each; a way of playing says what each
control is (keys, a pad, touch); a driver (pad_player's window, the page) does and sees them."""
import dataclasses
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
from picture_codecs import read_rgba_png  # noqa: E402

WIDTH, HEIGHT = 621, 380


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
    looks: tuple = None         # (reference image, masked boxes, (text box, its back) pairs)
    picker: object = None       # the highlighted letter (0 = A), or False: closed


@dataclasses.dataclass(frozen=True)
class Step:
    """`act` on `control`: "press", "down", "up", "hold" (`until` ticks), "until"
    (held on until the Expect `until`), "wait" `until` ticks; then `expect`."""
    act: str
    control: str = None
    until: object = None
    expect: Expect = None
    says: str = ""


def reference(name):
    """A reference image of the desktop's window as (r, g, b) rows."""
    path = ROOT / "tests" / "desktop" / "window" / "golden" / f"{name}.png"
    width, _, rows = read_rgba_png(path.read_bytes())
    return [[tuple(row[x:x + 3]) for x in range(0, width * 4, 4)] for row in rows]


def inscription(n):
    table = (ROOT / "game" / "world" / "inscriptions.cpp").read_text()
    return re.search(r'u"([^"]*)",\s*// ' + str(n) + r'\n', table).group(1)


def ink_box(rows, box, back):
    """The bounding box of the pixels in `box` that are not `back`."""
    left, top, right, bottom = box
    ink = [(x, y) for y in range(max(0, top), min(len(rows), bottom))
           for x in range(max(0, left), min(len(rows[0]), right)) if rows[y][x] != back]
    xs, ys = [x for x, _ in ink], [y for _, y in ink]
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if ink else None


def differences(rows, name, masks, text_boxes):
    """The pixels of `rows` outside the text and `masks` unlike the reference image's."""
    golden = reference(name)
    masks = list(masks) + [ink for box, back in text_boxes for image in (rows, golden)
                           if (ink := ink_box(image, box, back))]
    return [(x, y) for y in range(HEIGHT) for x in range(WIDTH)
            if rows[y][x] != golden[y][x]
            and not any(m[0] <= x < m[2] and m[1] <= y < m[3] for m in masks)]


def judge(expect, state):
    """The checks of `expect` the driver's `state` can answer."""
    wants = {"title": expect.screen and expect.screen == "title", "room": expect.room,
             "chick": expect.chick, "monument": expect.monument,
             "band": inscription(expect.band) if type(expect.band) is int else expect.band,
             "held": None if expect.held is None else [expect.held] if expect.held else []}
    checks = [(state[k] == want, f"{k} {want}: {state[k]}") for k, want in wants.items()
              if want is not None and k in state]
    if expect.chick_in and state.get("chick"):
        inside = all(low <= at <= high for at, (low, high) in zip(state["chick"], expect.chick_in))
        checks.append((inside, f"chick in {expect.chick_in}: {state['chick']}"))
    return checks


class Failures:
    def __init__(self):
        self.failed = []

    def check(self, ok, what):
        print(("ok    " if ok else "FAIL  ") + what, flush=True)
        self.failed += [] if ok else [what]
        return ok

    def outcome(self):
        print(f"{len(self.failed)} check(s) failed" if self.failed else "all passed")
        return 1 if self.failed else 0


def expect(driver, failures, says, **seen):
    """Checks what `seen` says is seen now (see Expect), asked again a tick apart until it
    holds; then the chick standing still over three ticks, and what the driver sees itself."""
    wanted = Expect(**seen)
    for _ in range(40):
        state = driver.state()
        checks = judge(wanted, state)
        if all(ok for ok, _ in checks):
            break
        driver.ticks(1)
    if wanted.still:
        driver.ticks(3)
        checks.append((driver.state()["chick"] == state["chick"], "the chick stands still"))
    for ok, what in checks + driver.look(wanted, state):
        failures.check(ok, f"{says}: {what}" if says else what)


def run(driver, way, moment, failures):
    for step in (step for step in moment if not step.control or step.control in way):
        entry = way.get(step.control)
        if step.act == "press":
            driver.down(entry)
            driver.up(entry)
        elif step.act in ("down", "up"):
            getattr(driver, step.act)(entry)
        elif step.act == "wait":
            driver.ticks(step.until)
        elif step.act == "until":  # held on, repeated as a keyboard does where it is the driver's
            seen = any(all(ok for ok, _ in judge(step.until, driver.state()))
                       or driver.repeat(entry) for _ in range(300))
            failures.check(seen, step.says or str(step.until))
        elif step.act == "hold":
            driver.down(entry)
            driver.ticks(step.until)
            driver.up(entry, slide=True)  # a finger may slide on to the next direction
        if step.expect:
            expect(driver, failures, step.says, **vars(step.expect))
