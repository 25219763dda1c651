#!/usr/bin/python3
"""Playing the page without a keyboard, in headless Chromium.

By touch, on an emulated upright phone (real touch events from the DevTools
protocol): the controls show, sized in centimetres and off the game; a tap on
STRAT starts; a finger on the d-pad held up, then slid to the left without
lifting, walks the chick through the doorway into room (-1, 0) and on past
the room change, and lifting it stops the chick; the read button shows
monument 6's inscription; the letters button opens the picker with all 26
letters below the game, where a finger holds its letter's key until it lifts; the d-pad and
the read button are held by two fingers at once; a key hides the controls
and the next touch shows them again; a tap on ﾊﾂﾞﾒｶﾗ restarts.

By pad: a headless browser cannot be given a real pad, so a stand-in for
navigator.getGamepads reports one with the standard mapping, as a browser
does: Start starts, the stick and the d-pad walk, A reads, Y opens the
picker, where the d-pad moves and A types, B closes it, Back restarts; a pad
unplugged while its d-pad is held lets go of the walk.

    page_touch_test.py BUILD_WEB_FOLDER
"""
import pathlib
import re
import sys
import tempfile
import time

from page_session import PageSession
from page_test import wait_for

COMMAND1, LABEL1, MUNYU, SEKIHI = 5, 36, 37, 49
CSS_PIXELS_PER_CM = 96 / 2.54
INSCRIPTIONS = pathlib.Path(__file__).resolve().parents[2] / "game" / "world" / "inscriptions.cpp"


def inscription(n):
    return re.search(r'u"([^"]*)",\s*// ' + str(n) + r'\n', INSCRIPTIONS.read_text()).group(1)


def js(session, script, *args):
    return session.driver.execute_script(script, *args)


def control(session, position):
    return js(session, "return window.munyura.game.controls()[arguments[0]];", position)


def held(session, key):
    return js(session, "return window.munyura.game.keyHeld(arguments[0]);", key)


def box(session, element_id):
    return js(session, """const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return [r.left, r.top, r.width, r.height];""", element_id)


def touch(session, kind, points):
    """Fingers as (id, x, y) in CSS pixels: a touchStart or touchMove lists every
    finger then down, a touchEnd the fingers it lifts (none listed: all)."""
    session.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
        "type": kind, "touchPoints": [{"x": x, "y": y, "id": n} for n, x, y in points]})


def centre(session, element_id, dx=0.0, dy=0.0):
    """A point of an element: its centre moved by fractions of its size."""
    left, top, width, height = box(session, element_id)
    return left + width * (0.5 + dx), top + height * (0.5 + dy)


def tap(session, x, y):
    touch(session, "touchStart", [(1, x, y)])
    touch(session, "touchEnd", [])


def still(session, position):
    """Whether the chick stands where it is over two ticks."""
    before = control(session, position)
    time.sleep(0.25)
    after = control(session, position)
    return (before["left"], before["top"]) == (after["left"], after["top"])


def walk_by_touch(session):
    session.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 390, "height": 844, "deviceScaleFactor": 2, "mobile": True})
    session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {
        "enabled": True, "maxTouchPoints": 5})
    session.driver.get(session.url)
    wait_for(session, "return window.munyura && window.munyura.firstFrameMs !== null",
             "the first frame")
    assert not js(session, "return document.getElementById('controls').hidden"), \
        "no touch controls on a touch screen"
    names = js(session, """return ['dpad', 'read-button', 'letters-button'].map(
        (id) => document.getElementById(id).getAttribute('aria-label'));""")
    assert all(names), f"controls without a name: {names}"
    canvas = box(session, "game")
    for element_id, least in (("dpad", 2.5), ("read-button", 1), ("letters-button", 1)):
        left, top, width, height = box(session, element_id)
        assert min(width, height) >= least * CSS_PIXELS_PER_CM - 0.5, \
            f"{element_id} is {width} x {height} CSS pixels"
        assert top >= canvas[1] + canvas[3], f"{element_id} at {top} covers the game"

    # A tap on STRAT, as it slides by.
    command1 = control(session, COMMAND1)
    scale = canvas[2] / 621
    tap(session, canvas[0] + (command1["left"] + command1["width"] / 2) * scale,
        canvas[1] + (command1["top"] + command1["height"] / 2) * scale)
    wait_for(session, f"return !window.munyura.game.controls()[{COMMAND1}].visible",
             "the play screen after a tap on STRAT")

    # One finger: up into the height of the left doorway, then slid left.
    touch(session, "touchStart", [(1, *centre(session, "dpad", dy=-0.4))])
    wait_for(session, f"return window.munyura.game.controls()[{MUNYU}].top < 190",
             "the chick walking up")
    touch(session, "touchMove", [(1, *centre(session, "dpad", dx=-0.4))])
    wait_for(session, "return window.munyura.game.roomX() === -1",
             "the chick walking into room (-1, 0)")
    entered = control(session, MUNYU)["left"]
    monument = control(session, SEKIHI)
    deadline = time.monotonic() + 20
    while control(session, MUNYU)["left"] + 25 > monument["left"] + monument["width"] / 2:
        assert time.monotonic() < deadline, "the chick stopped after the room change"
        time.sleep(0.02)
    touch(session, "touchEnd", [])
    assert control(session, MUNYU)["left"] < entered - 20, "the walk ended at the room change"
    assert not held(session, 37) and still(session, MUNYU), "the chick walks on after the lift"
    assert control(session, SEKIHI)["picture"] == js(
        session, "return window.munyura.game.pictureHandle(4 + 6);"), "room (-1, 0) shows monument 6"

    # The read button shows the inscription; a second tap hides it.
    tap(session, *centre(session, "read-button"))
    wait_for(session, f"return window.munyura.game.controls()[{LABEL1}].visible", "the inscription")
    assert js(session, "return window.munyura.game.message();") == inscription(6)
    tap(session, *centre(session, "read-button"))
    wait_for(session, f"return !window.munyura.game.controls()[{LABEL1}].visible",
             "the inscription hidden")

    # Two fingers at once: the d-pad held down and the read button.
    touch(session, "touchStart", [(1, *centre(session, "dpad", dy=0.4))])
    touch(session, "touchStart", [(1, *centre(session, "dpad", dy=0.4)),
                                  (2, *centre(session, "read-button"))])
    assert held(session, 40) and held(session, 90), "the d-pad and read not held together"
    touch(session, "touchEnd", [(1, *centre(session, "dpad", dy=0.4))])
    assert not held(session, 40) and held(session, 90), "lifting one finger let go the other"
    touch(session, "touchEnd", [])
    assert not held(session, 90)

    # The picker: all 26 letters on two rows; a letter held while touched.
    tap(session, *centre(session, "letters-button"))
    letters = js(session, """const p = document.getElementById('picker');
        return p.hidden ? null : [...p.children].map((b) => [b.textContent,
          Math.round(b.getBoundingClientRect().top), b.getBoundingClientRect().width > 0]);""")
    assert letters and "".join(t for t, _, _ in letters) == "ABCDEFGHIJKLMNOPQRSTUVWXYZ", letters
    assert all(shown for _, _, shown in letters) and len({top for _, top, _ in letters}) == 2, letters
    assert min(top for _, top, _ in letters) >= canvas[1] + canvas[3] - 0.5, \
        "the picker covers the game with room below it"
    q = js(session, """const r = document.getElementById('picker').children[16]
        .getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2];""")
    touch(session, "touchStart", [(1, *q)])
    assert held(session, 81), "Q not held under the finger"
    touch(session, "touchEnd", [])
    assert not held(session, 81), "Q still held after the lift"
    tap(session, *centre(session, "letters-button"))
    assert js(session, "return document.getElementById('picker').hidden"), "the picker stays open"

    # A key hides the controls, the next touch brings them back; a tap on
    # ﾊﾂﾞﾒｶﾗ is a click.
    session.key("ShiftLeft", "Shift", 16)
    assert js(session, "return document.getElementById('controls').hidden"), "shown after a key"
    canvas = box(session, "game")
    tap(session, canvas[0] + 590.5 * scale, canvas[1] + 7.5 * scale)
    assert not js(session, "return document.getElementById('controls').hidden"), "hidden at a touch"
    wait_for(session, f"return window.munyura.game.controls()[{COMMAND1}].visible",
             "the title screen after a tap on ﾊﾂﾞﾒｶﾗ")
    assert not session.console_errors(), session.console_errors()


STAND_IN = """
window.pads = [];
navigator.getGamepads = () => window.pads;
window.plugPad = (index) => {
  window.pads[index] = { index, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
};
window.setButton = (index, n, pressed) => {
  window.pads[index].buttons[n] = { pressed, value: pressed ? 1 : 0 };
};
"""


def play_by_pad(session):
    session.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    session.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    session.driver.get(session.url)
    wait_for(session, "return window.munyura && window.munyura.firstFrameMs !== null",
             "the first frame")
    js(session, STAND_IN + "window.plugPad(0);")

    def press(n, index=0):
        js(session, "window.setButton(arguments[0], arguments[1], true);", index, n)

    def release(n, index=0):
        js(session, "window.setButton(arguments[0], arguments[1], false);", index, n)

    press(9)
    wait_for(session, f"return !window.munyura.game.controls()[{COMMAND1}].visible",
             "the play screen after Start")
    release(9)
    press(0)
    wait_for(session, f"return window.munyura.game.controls()[{LABEL1}].visible", "A reading")
    assert js(session, "return window.munyura.game.message();") == inscription(0)
    release(0)

    js(session, "window.pads[0].axes[1] = -1;")
    wait_for(session, f"return window.munyura.game.controls()[{MUNYU}].top < 190",
             "the stick walking up")
    js(session, "window.pads[0].axes[1] = 0;")
    wait_for(session, "return !window.munyura.game.keyHeld(38)", "the stick let go")
    press(14)
    wait_for(session, "return window.munyura.game.roomX() === -1", "the d-pad walking left")
    assert held(session, 37)
    js(session, "window.pads[0] = undefined;")
    wait_for(session, "return !window.munyura.game.keyHeld(37)", "the unplugged pad let go")
    assert still(session, MUNYU), "the chick walks on after the unplug"

    js(session, "window.plugPad(1);")
    press(3, 1)
    wait_for(session, "return !document.getElementById('picker').hidden", "Y opening the picker")
    release(3, 1)
    press(15, 1)
    wait_for(session, "return window.munyura.game.picker().highlighted === 1", "B highlighted")
    release(15, 1)
    assert js(session, """return document.getElementById('picker').children[1]
        .classList.contains('highlighted')"""), "the page does not mark B"
    press(0, 1)
    wait_for(session, "return window.munyura.game.keyHeld(66)", "A typing B")
    release(0, 1)
    wait_for(session, "return !window.munyura.game.keyHeld(66)", "B let go")
    press(1, 1)
    wait_for(session, "return document.getElementById('picker').hidden", "B closing the picker")
    release(1, 1)
    press(8, 1)
    wait_for(session, f"return window.munyura.game.controls()[{COMMAND1}].visible",
             "the title screen after Back")
    release(8, 1)
    assert not session.console_errors(), session.console_errors()


def main():
    web = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as profile, PageSession(web, profile) as session:
        walk_by_touch(session)
        play_by_pad(session)
    print("2 passed, 0 failed")


if __name__ == "__main__":
    main()
