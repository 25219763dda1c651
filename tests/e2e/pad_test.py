#!/usr/bin/env python3
"""Plays the real game with a pad: pad_player runs the game's own start-up
and loop with an SDL virtual game controller plugged into its process and
judges each step by the game's state; this script gives its window the
focus, looks at the letter picker on screenshots when asked, and checks
that a broken mapping file costs the real game one line on stderr.

Usage: pad_test.py <path to pad_player> <path to munyura>"""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from x_session import XDisplay, check, outcome, running  # noqa: E402

NAVY, WHITE, BAND = (0, 0, 128), (255, 255, 255), (64, 64, 64)
PICKER = (0, 316, 621, 64)


def cell(letter):
    """A letter's cell in the picker (A = 0), as the desktop lays it out."""
    column, row = letter % 13, letter // 13
    return (6 + column * 47, 320 + row * 29, 45, 27)


def highlighted(screen, letter):
    """Whether the letter's cell is marked: navy, with a white letter."""
    area = cell(letter)
    navy = screen.count(NAVY, *area)
    return navy > 0.6 * area[2] * area[3] and screen.count(WHITE, *area) > 10


def look(display, window, name):
    screen = display.screenshot(window)
    if name == "picker-on-a":
        check(screen.count(BAND, *PICKER) > 1000 and highlighted(screen, 0)
              and not highlighted(screen, 12),
              "Y shows the picker across the lower edge, A highlighted", screen)
        check(all(screen.count(WHITE, *cell(i)) > 0.6 * 45 * 27 for i in range(1, 26)),
              "with the 25 other letters' cells white", screen)
    elif name == "picker-on-m":
        check(highlighted(screen, 12) and not highlighted(screen, 0),
              "Left wraps the highlight round from A to M", screen)
    elif name == "picker-closed":
        check(screen.count(BAND, *PICKER) == 0 and screen.count(NAVY) == 0,
              "B closes the picker: nothing of it is left", screen)


def play_with_a_pad(display, player, *args, **env):
    """Runs pad_player's schedule (the whole one without `args`) with `env`
    added to the display's environment."""
    env = dict(display.env, SDL_AUDIODRIVER="dummy", **env)
    with running([player, *args], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                 stderr=subprocess.PIPE, text=True) as game:
        window = None
        for line in game.stdout:
            line = line.rstrip("\n")
            if line == "ready":
                window = display.find_window(game)
                display.focus(window)
            elif line == "take the focus":
                root = display.run("xdotool", "search", "--maxdepth", "0", "--name", "")
                display.focus(int(root.split()[0]))
            elif line == "give the focus":
                display.focus(window)
            elif line.startswith("screenshot "):
                look(display, window, line.split(" ", 1)[1])
            else:
                check(line.startswith("ok "), line.split(" ", 1)[-1].strip())
                continue
            game.stdin.write("\n")
            game.stdin.flush()
        status = game.wait(timeout=20)
        errors = game.stderr.read()
    check(status == 0, "the pad's game ends with status 0 (got %s)" % status)
    check("run-time error" not in errors, "no run-time error was reported: %r" % errors[-400:])


def mapping_file(display, mappings):
    """Makes `mappings` (or no file at all) the player's mapping file."""
    path = os.path.join(display.env["XDG_CONFIG_HOME"], "munyura", "gamecontrollerdb.txt")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if mappings is None:
        if os.path.exists(path):
            os.remove(path)
    else:
        with open(path, "w") as f:
            f.write(mappings)
    return path


def stderr_of_a_run(display, binary, mappings):
    """What the real game says on stderr from start to close, with
    `mappings` (or no file at all) as the player's mapping file."""
    path = mapping_file(display, mappings)
    env = dict(display.env, SDL_AUDIODRIVER="dummy")
    with running([binary], env=env, stderr=subprocess.PIPE, text=True) as game:
        window = display.find_window(game)
        display.close_window(window)
        status = game.wait(timeout=10)
        lines = game.stderr.read().splitlines()
    check(status == 0, "the game closes with status 0 (got %s)" % status)
    return path, lines


def broken_mapping_file(display, binary):
    _, quiet = stderr_of_a_run(display, binary, None)
    good = ("# a pad of the player's\n"
            "03000000aaaa0000bbbb000000000000,Player's pad,a:b0,b:b1,leftx:a0,lefty:a1~,"
            "dpup:h0.1,platform:Linux,\r\n")
    _, with_good = stderr_of_a_run(display, binary, good)
    check(with_good == quiet, "a good mapping file says nothing: %r" % with_good)
    path, broken = stderr_of_a_run(display, binary, good + "03000000aaaa,Half a GUID,a:b0,\n")
    told = [line for line in broken if "gamecontrollerdb.txt" in line]
    check(len(broken) == len(quiet) + 1 and len(told) == 1 and path in told[0]
          and "line 3" in told[0],
          "a broken mapping file costs one line, naming the file and its bad line: %r" % broken)


def mapping_in_sdl(display, player, guid, **env):
    """The mapping SDL holds for `guid` once the game has started, with
    `env` added to the display's environment."""
    run = subprocess.run([player, "mapping", guid], env=dict(display.env, SDL_AUDIODRIVER="dummy",
                                                             **env),
                         capture_output=True, text=True, timeout=60)
    told = [line for line in run.stdout.splitlines() if line.startswith("mapping ")]
    return told[0][len("mapping "):] if told and run.returncode == 0 else None


def mappings_of_the_player(display, player):
    """The file's mappings reach SDL, SDL_GAMECONTROLLERCONFIG wins over
    them, and a file with a bad line is left out whole."""
    guid = "03000000aaaa0000bbbb000000000000"
    swapped = guid + ",Player's pad,a:b1,b:b0,platform:Linux,"
    mapping_file(display, "# A and B change places\n" + swapped + "\n")
    check(mapping_in_sdl(display, player, guid) == swapped, "the file's mapping reaches SDL")
    straight = guid + ",Straight pad,a:b0,b:b1,platform:Linux,"
    check(mapping_in_sdl(display, player, guid, SDL_GAMECONTROLLERCONFIG=straight) == straight,
          "SDL_GAMECONTROLLERCONFIG wins over the file")
    mapping_file(display, swapped + "\nnot a mapping\n")
    check(mapping_in_sdl(display, player, guid) == "",
          "a file with a bad line is left out whole")
    mapping_file(display, None)


def main(player, binary):
    display = XDisplay()
    try:
        # SDL would drop the pad's events itself while no window of the game
        # has the focus; with this setting of SDL's own it passes them on,
        # and the game's rule alone keeps them out.
        play_with_a_pad(display, player, SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS="1")
        mappings_of_the_player(display, player)
        broken_mapping_file(display, binary)
    finally:
        display.close()
    return outcome()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
