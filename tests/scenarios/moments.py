"""The moments of the game the desktop and the page both play, and the ways
of playing them: each control on the keyboard and mouse, a pad and by touch."""
from scenario import Expect, Step

# Text the page draws with its own engine is left out of its picture
# comparisons: the help on the green band and ﾊﾂﾞﾒｶﾗ on white.
HELP, RESTART = ((0, 248, 617, 377), (0, 255, 0)), ((568, 0, 621, 15), (255, 255, 255))

KEYS = {"start": ("key", "space"), "read": ("key", "z"), "up": ("key", "Up"),
        "left": ("key", "Left"), "restart": ("click", 594, 7)}
PAD = {"start": ("pad", "start"), "read": ("pad", "a"), "up": ("pad", "dpup"),
       "left": ("pad", "dpleft"), "restart": ("pad", "back")}
TOUCH = {"start": ("tap", "strat"), "read": ("tap", "read-button"),
         "up": ("finger", "dpad", 0, -0.4), "left": ("finger", "dpad", -0.4, 0),
         "restart": ("tap", 590, 7)}

# The start button slides with every tick: its row is left out.
TITLE = [Step("wait", until=2, says="the first title screen", expect=Expect(
    screen="title", band="zキーで決ティ　１０時キーで移ドゥ",
    looks=("title", [(0, 128, 621, 177)], [HELP])))]

START = [
    Step("press", "start", says="start: play in room (0, 0), the chick facing down over monument 0",
         expect=Expect(screen="play", room=(0, 0), chick=(280, 192), monument=0, band=False,
                       looks=("room-0-0", [], [RESTART]))),
    Step("press", "read", says="read: monument 0's inscription",
         expect=Expect(band=0, looks=("inscription", [], [HELP, RESTART]))),
    Step("press", "read", says="read again hides it", expect=Expect(band=False)),
]

DOORWAY = [
    Step("hold", "up", until=3, says="up walks up, into the doorway's height",
         expect=Expect(chick_in=((280, 280), (129, 182)))),
    Step("down", "left"),
    Step("until", "left", until=Expect(room=(-1, 0), monument=6),
         says="left walks out through the doorway into room (-1, 0) and its monument 6"),
]
# Let go at once, the chick right of the monument ("chick" masks it).
LET_GO = [Step("up", "left", says="room (-1, 0)", expect=Expect(
    band=False, looks=("closed-doorways", ["chick"], [RESTART])))]
# Held on: LoadRoom let go of the direction, so only its repeats walk the
# chick on over the monument; it stops when the direction is let go.
WALK_ON = [
    Step("until", "left", until=Expect(chick_in=((0, 281), (0, 380))),
         says="held on, its repeats walk it on over monument 6"),
    Step("up", "left", says="let go", expect=Expect(room=(-1, 0), held=False, still=True)),
    Step("press", "read", says="read: monument 6's inscription", expect=Expect(band=6)),
    Step("press", "read", expect=Expect(band=False)),
]

RESTART_MOMENT = [Step("press", "restart", says="restart: the title screen again",
                       expect=Expect(screen="title"))]
