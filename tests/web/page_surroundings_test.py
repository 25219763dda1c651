#!/usr/bin/python3
"""What the page adds around the game, in headless Chromium with real key
events from the DevTools protocol:

- M mutes the running tune (its gain at 0), says "(muted)" in the title,
  is remembered over a reload, and a remembered nonsense gives the tune back
  with one console line;
- the full-screen button takes the page full screen and leaves the keys to
  the game; storage that is full gives a note and one console line;
- a page without its font and tune, and one without the game's script, each
  say so in one console line and a note; the first still plays.

    page_surroundings_test.py BUILD_WEB_FOLDER
"""
import pathlib
import shutil
import sys
import tempfile

from page_session import PageSession, first_frame, wait_for


def console_lines(session, words):
    """The page's console lines since the last call that hold `words`."""
    entries = session.driver.get_log("browser")
    session.errors += [e for e in entries if e["level"] == "SEVERE"]
    return [e["message"] for e in entries if words in e["message"]]


def script(session, text, *args):
    return session.driver.execute_script(text, *args)


def open_page(session, folder):
    session.driver.get(session.url + folder + "/")
    first_frame(session)


def tune_output(session):
    """The gain of the playing tune, once it plays."""
    return wait_for(session, """const t = window.munyura.tune;
        return t.source && t.context.state === 'running' && [t.gain.gain.value];""",
                    "the tune to play")[0]


def mute(session):
    session.key("Space", " ", 32)  # the tune waits for a first key
    assert tune_output(session) == 1
    session.key("KeyM", "m", 77)
    assert session.driver.title == "ムニュラ (muted)", session.driver.title
    session.key_down("KeyM", "m", 77, repeat=True)  # an auto-repeat changes nothing
    session.key_up("KeyM", "m", 77)
    assert tune_output(session) == 0
    assert script(session, "return window.munyura.keyPresses.KeyM;") == 2

    session.driver.refresh()
    first_frame(session)
    assert session.driver.title == "ムニュラ (muted)", session.driver.title
    session.key("Space", " ", 32)
    assert tune_output(session) == 0, "the tune sounds after a reload while muted"
    session.key("KeyM", "m", 77)
    assert session.driver.title == "ムニュラ" and tune_output(session) == 1

    script(session, "localStorage.setItem('munyura.mute', 'loud');")
    console_lines(session, "")
    session.driver.refresh()
    first_frame(session)
    assert session.driver.title == "ムニュラ", session.driver.title
    lines = console_lines(session, "the remembered mute")
    assert len(lines) == 1, lines


def fullscreen_and_full_storage(session):
    x, y = script(session, """const b = document.getElementById('fullscreen').getBoundingClientRect();
        return [b.left + b.width / 2, b.top + b.height / 2];""")
    for kind in ("mousePressed", "mouseReleased"):
        session.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
            "type": kind, "x": x, "y": y, "button": "left", "buttons": 1, "clickCount": 1})
    wait_for(session, """return document.fullscreenElement === document.documentElement &&
        document.activeElement === document.body &&
        document.getElementById('fullscreen').getAttribute('aria-pressed') === 'true';""",
             "the page full screen, the keys the game's")

    script(session, """localStorage.clear(); let n = 0;
        for (let size = 1 << 20; size >= 1; size >>= 1) {
          try { for (;;) { localStorage.setItem(`filler${n++}`, 'x'.repeat(size)); } } catch {}
        }""")
    console_lines(session, "")
    session.key("KeyM", "m", 77)
    wait_for(session, "return !document.getElementById('storage-note').hidden", "the storage's note")
    assert session.driver.title == "ムニュラ (muted)", session.driver.title
    lines = console_lines(session, "the page's storage refused the mute")
    assert len(lines) == 1, lines
    script(session, "localStorage.clear();")


def bad_conditions(session):
    open_page(session, "without-font-and-tune")
    wait_for(session, "return !document.getElementById('font-note').hidden", "the font's note")
    session.key("Space", " ", 32)
    wait_for(session, "return document.getElementById('sound-note').textContent.includes('silence')",
             "the silent tune's note")
    lines = console_lines(session, "")
    for words in ("did not load; the captions use another face", "the tune cannot be played"):
        assert len([line for line in lines if words in line]) == 1, (words, lines)
    session.driver.get(session.url + "without-game-script/")
    wait_for(session, "return !document.getElementById('start-note').hidden",
             "the note that the game could not start")
    assert len(console_lines(session, "the page could not start")) == 1


def main():
    web = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as pages, tempfile.TemporaryDirectory() as profile:
        pages = pathlib.Path(pages)
        for folder in ("page", "without-font-and-tune", "without-game-script"):
            shutil.copytree(web, pages / folder)
        (pages / "without-font-and-tune" / "tune.opus").unlink()
        for font in (pages / "without-font-and-tune" / "fonts").glob("*.woff2"):
            font.unlink()
        (pages / "without-game-script" / "munyura.js").unlink()
        (pages / "favicon.ico").write_bytes((web / "pictures" / "icon.png").read_bytes())
        with PageSession(pages, profile) as session:
            open_page(session, "page")
            mute(session)
            fullscreen_and_full_storage(session)
            assert not session.console_errors(), session.console_errors()
            bad_conditions(session)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
