#!/usr/bin/python3
"""The page's own texts in the player's language, in a real headless
Chromium told to prefer Japanese, English, or a language the page has no
texts in: the page's lang and the tune's note in that language, with the
right lang attribute on each, the game's picture named ムニュラ in all; and
the game's scene, the inscription included, the very same pixels whatever the
language.

    page_language_test.py BUILD_WEB_FOLDER
"""
import pathlib
import sys
import tempfile

from page_session import PageSession, canvas_rows, settle, wait_for

# The game's picture is named by the game's own name in every language.
JA = ("ja", "♪ 最初にキーを押すかクリックすると音が鳴ります。", "ムニュラ")
EN = ("en", "♪ Sound starts with your first key or click.", "ムニュラ")
# (the browser's languages, what the page must speak)
CASES = [("ja", JA), ("en-US", EN), ("fr,ja", JA), ("fr", EN)]
LABEL1 = 36  # the inscription's label, in the scene table


def texts_and_scene(web, languages):
    with tempfile.TemporaryDirectory() as profile, \
            PageSession(web, profile, language=languages) as session:
        wait_for(session, "return window.munyura && window.munyura.firstFrameMs !== null",
                 "the first frame")
        wait_for(session, "return !document.getElementById('sound-note').hidden", "the note")
        shown = session.driver.execute_script("""
            const note = document.getElementById('sound-note');
            const game = document.getElementById('game');
            return [navigator.languages.join(','), document.documentElement.lang, note.lang,
                    note.textContent, game.getAttribute('aria-label')];""")
        # Play, with the first monument read: the scene as its text shows.
        session.key("Space", " ", 32)
        wait_for(session, "return !window.munyura.game.controls()[5].visible", "the play screen")
        session.key("KeyZ", "z", 90)
        wait_for(session, f"return window.munyura.game.controls()[{LABEL1}].visible",
                 "the inscription")
        settle(session)
        scene = canvas_rows(session)
        errors = session.console_errors()
    return shown, scene, errors


def main():
    web = pathlib.Path(sys.argv[1])
    failed = 0
    scenes = {}
    for languages, (lang, note, name) in CASES:
        shown, scenes[languages], errors = texts_and_scene(web, languages)
        told, page_lang, note_lang, note_text, label = shown
        ok = (page_lang == lang and note_lang == lang and note_text == note and label == name
              and not errors)
        print("%s  preferring %s (navigator.languages %s): page %s, note %s %r, name %r%s"
              % ("ok  " if ok else "FAIL", languages, told, page_lang, note_lang, note_text,
                 label, "; console errors %s" % errors if errors else ""))
        failed += not ok
    first, *others = scenes.values()
    same = all(scene == first for scene in others)
    print("%s  the scene with its inscription is the same pixels in every language"
          % ("ok  " if same else "FAIL"))
    failed += not same
    print("%d failed" % failed if failed else "all passed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
