#!/usr/bin/env python3
"""Measures the game under an X display (a private Xvfb when there is none):
the loop's schedule through loop_bench, then the real game observed from
outside, once silent and once playing its tune through SDL's disk audio
driver: CPU use on the title screen and while walking, and peak memory. Last,
how long the synthesiser takes to render the whole tune on its own, and what
the worst tunes the player accepts cost it (tune_cost). Then, on a desktop of
its own (Xvfb with openbox), the window at zoom 1 and 4 on the title screen
and the idle play screen, and the tune muted.

Usage: bench/run.py [build folder, default build/release]"""

import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from x_session import XDisplay  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS  # utime + stime


def memory_kib(pid, field):
    """VmHWM is the peak resident memory, VmRSS the present one."""
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def cpu_share(pid, seconds, while_doing=None):
    used = cpu_seconds(pid)
    began = time.monotonic()
    if while_doing:
        while_doing(seconds)
    else:
        time.sleep(seconds)
    return 100.0 * (cpu_seconds(pid) - used) / (time.monotonic() - began)


def observe(build, display, title, extra_env):
    print("== %s, observed from outside ==" % title, flush=True)
    launched = time.monotonic()
    game = subprocess.Popen([os.path.join(build, "desktop", "munyura")],
                            env=dict(display.env, **extra_env), stderr=subprocess.DEVNULL)
    window = display.find_window(game)
    print("window visible after  %.0f ms (includes xdotool's polling)"
          % (1000 * (time.monotonic() - launched)))
    display.focus(window)
    time.sleep(1)
    print("CPU, title screen     %.2f %% of one core" % cpu_share(game.pid, 10))
    display.key("space")

    def walk(seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            for key in ("Left", "Right"):
                display.run("xdotool", "keydown", key)
                time.sleep(0.5)
                display.run("xdotool", "keyup", key)

    print("CPU, walking          %.2f %% of one core" % cpu_share(game.pid, 10, walk))
    print("memory while walking  %.1f MiB" % (memory_kib(game.pid, "VmRSS") / 1024))
    print("peak memory           %.1f MiB" % (memory_kib(game.pid, "VmHWM") / 1024))
    display.close_window(window)
    game.wait(timeout=10)


def zoom_and_idle(build, scratch):
    """The game at zoom 1 and zoom 4 on a desktop large enough for it (Xvfb
    with openbox), silent: the title screen, whose button slides on every
    tick, and the play screen with no key held, where no tick changes
    anything and nothing is drawn. Then the tune muted: the synthesiser
    rests while the tune's place moves on."""
    display = XDisplay(size="2560x1600", private=True)
    try:
        display.start_window_manager()
        runs = [("zoom 1, silent", ["--zoom", "1"], {}),
                ("zoom 4, silent", ["--zoom", "4"], {}),
                ("zoom 1, tune playing", ["--zoom", "1"],
                 {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": os.devnull}),
                ("zoom 1, tune muted (M)", ["--zoom", "1", "--mute"],
                 {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": os.devnull})]
        for title, arguments, extra_env in runs:
            print("== %s ==" % title, flush=True)
            env = dict(display.env, XDG_CONFIG_HOME=scratch, **extra_env)
            game = subprocess.Popen([os.path.join(build, "desktop", "munyura")] + arguments,
                                    env=env, stderr=subprocess.DEVNULL)
            window = display.find_window(game)
            display.focus(window)
            # Past the first seconds, when the window is drawn whole on
            # every tick while the window manager settles it.
            time.sleep(4)
            print("window                %s x %s" % display.window_size(window))
            print("CPU, title screen     %.2f %% of one core" % cpu_share(game.pid, 20))
            display.key("space")
            time.sleep(1)
            print("CPU, play screen idle %.2f %% of one core" % cpu_share(game.pid, 20))
            display.close_window(window)
            game.wait(timeout=10)
    finally:
        display.close()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "release")
    display = XDisplay()
    try:
        print("== loop_bench: 1,000 ticks of the game's own loop ==", flush=True)
        subprocess.run([os.path.join(build, "bench", "loop_bench"), "1000"], env=display.env,
                       check=True)

        observe(build, display, "the game without a sound card (the tune stays silent)", {})
        observe(build, display, "the game playing its tune (SDL's disk audio driver)",
                {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": os.devnull})

        render_tune = os.path.join(build, "desktop", "render_tune")
        if os.path.exists(render_tune):
            print("== the synthesiser alone ==", flush=True)
            began = time.monotonic()
            subprocess.run([render_tune, os.path.join(ROOT, "assets", "bdmidi.mid"), "64",
                            os.devnull], check=True)
            took = time.monotonic() - began
            print("64 s of the tune rendered in %.2f s: %.1f %% of one core while it plays"
                  % (took, 100 * took / 64))
        print("== the worst tunes the player accepts ==", flush=True)
        subprocess.run([os.path.join(build, "bench", "tune_cost")], check=True)
    finally:
        display.close()
    with tempfile.TemporaryDirectory() as scratch:
        zoom_and_idle(build, scratch)


if __name__ == "__main__":
    main()
