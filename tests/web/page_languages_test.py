#!/usr/bin/python3
"""The page's own texts in the player's language, in a real headless
Chromium told to prefer Japanese, English, or a language the page has no
texts in: the page's lang and the tune's note in that language, with the
right lang attribute on each, the game's picture named ムニュラ in all; and
the game played to the first inscription (tests/scenarios/moments.py), its
scene the very same pixels whatever the language.

    page_languages_test.py BUILD_WEB_FOLDER
"""
import pathlib
import sys
import tempfile

from page_session import PageDriver, PageSession, canvas_rows, first_frame, wait_for
from moments import KEYS, START
from scenario import Failures, run

JA = ("ja", "♪ 最初にキーを押すかクリックすると音が鳴ります。")
EN = ("en", "♪ Sound starts with your first key or click.")
# (the browser's languages, what the page must speak)
CASES = [("ja", JA), ("en-US", EN), ("fr,ja", JA), ("fr", EN)]


def main():
    web = pathlib.Path(sys.argv[1])
    failures, scenes = Failures(), []
    for languages, (lang, note) in CASES:
        with tempfile.TemporaryDirectory() as profile, \
                PageSession(web, profile, language=languages) as session:
            first_frame(session)
            wait_for(session, "return !document.getElementById('sound-note').hidden", "the note")
            shown = session.driver.execute_script("""
                const note = document.getElementById('sound-note');
                return [document.documentElement.lang, note.lang, note.textContent,
                        document.getElementById('game').getAttribute('aria-label')];""")
            failures.check(shown == [lang, lang, note, "ムニュラ"],
                           f"preferring {languages}: page, note and name {shown}")
            run(PageDriver(session), KEYS, START[:2], failures)  # play, monument 0 read
            scenes.append(canvas_rows(session))
            errors = session.console_errors()
            failures.check(not errors, f"no console error: {errors}")
    failures.check(all(scene == scenes[0] for scene in scenes),
                   "the scene with its inscription is the same pixels in every language")
    return failures.outcome()


if __name__ == "__main__":
    sys.exit(main())
