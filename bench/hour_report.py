#!/usr/bin/env python3
"""The figures of bench/hour.sh runs: the program's own tick log and the screen watched from outside.

hour_report.py RUN_DIR...             the figures of each run on stdout
hour_report.py --record RUN_DIR...    and their table in bench/hour.md, which docs/PERFORMANCE.md shows with the
                                      notes of bench/hour_experiments.md (bench/report.py keeps the section)
"""
import bisect
import os
import statistics
import sys

sys.dont_write_bytecode = True  # keep bench/ free of __pycache__
from report import per_second, read_log  # noqa: E402

SLOW_MS = 20  # a tick later than this is taken apart: timer, paint or screen
HERE = os.path.dirname(os.path.abspath(__file__))
RECORD = os.path.join(HERE, "hour.md")
NOTES = os.path.join(HERE, "hour_experiments.md")
DOCUMENT = os.path.join(HERE, "..", "docs", "PERFORMANCE.md")
HEADING = "## An hour of ticks"


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def read_shown(path):
    """The watcher's changes of the seconds as (microseconds, hash, timed, {counter: value}), and its own CPU time
    in microseconds. A change "seen" after a sleep came at a moment unknown before it."""
    shown, cpu = [], None
    for line in open(path):
        parts = line.split()
        if parts[0] in ("shown", "seen"):
            counters = dict((key, int(value)) for key, value in (part.split("=") for part in parts[3:]))
            shown.append((int(parts[1]), parts[2], parts[0] == "shown", counters))
        elif parts[0] == "cpu":
            cpu = int(parts[1])
    return shown, cpu


def skips(hashes):
    """Steps where the seconds' digits did not go on to the next second: each value's successor is the one most often
    seen after it (the digits repeat every minute), so a second skipped, repeated or out of order shows as a step to
    another. The watcher looks at least every 20 ms: a second shown for less may count as skipped."""
    following = {}
    for a, b in zip(hashes, hashes[1:]):
        following.setdefault(a, {}).setdefault(b, 0)
        following[a][b] += 1
    successor = {a: max(counts, key=counts.get) for a, counts in following.items()}
    steps = sum(1 for a, b in zip(hashes, hashes[1:]) if successor[a] != b)
    return steps if len(successor) == min(60, len(hashes) - 1) else max(steps, 1)


def summarise(run_dir):
    settings = open(f"{run_dir}/settings.txt").read().split()
    load, seconds = settings[0], int(settings[1])
    ticks, wakes, paints = read_log(f"{run_dir}/ticks.log")
    count = ticks["Timer2"]
    dues = [due for due, _, _ in count]
    offsets = [fired / 1000 - due for due, fired, _ in count]
    dropped = sum((b - a) // 1000 - 1 for a, b in zip(dues, dues[1:]))
    paint_times = [at for at, _ in paints]

    # The screen: the first change is the window appearing, the rest one per second from the first tick on.
    shown, watch_cpu = read_shown(f"{run_dir}/shown.log")
    changes = [change for change in shown if change[0] >= count[0][1]]
    times = [change[0] for change in changes]
    screen_offsets, slow = [], []
    # Each tick against the screen change that shows it, and what the late ones were late for: the timer, the paint,
    # the way to the screen; and the waits for a CPU (run queue) of the threads involved, and the host's steal, over
    # the second before.
    for (due, fired, _), offset in zip(count, offsets):
        i = bisect.bisect_left(times, fired)
        if i >= len(changes) or not changes[i][2] or changes[i][0] - fired > 900_000:
            continue
        screen = changes[i][0] / 1000 - due
        screen_offsets.append((screen, offset))
        if screen > SLOW_MS:
            p = bisect.bisect_left(paint_times, fired)
            painted = paint_times[p] if p < len(paint_times) else fired
            before = changes[i - 1][3] if i > 0 else {}
            waits = {key: (value - before[key]) / (1 if key == "steal" else 1000)
                     for key, value in changes[i][3].items() if key in before and value >= 0 and before[key] >= 0}
            slow.append((due, offset, (painted - fired) / 1000, (changes[i][0] - painted) / 1000, screen, waits))
    to_screen = [screen - offset for screen, offset in screen_offsets]
    screen_offsets = [screen for screen, _ in screen_offsets]
    loads = [float(line.split()[1]) for line in open(f"{run_dir}/loadavg.txt") if len(line.split()) > 1]
    return {
        "load": load, "seconds": seconds, "ticks": len(count), "dropped": dropped, "worst": max(offsets),
        "p99": percentile(offsets, 0.99), "median": statistics.median(offsets), "last": offsets[-1],
        "over": sum(1 for o in offsets if o > SLOW_MS),
        "shown": len(changes), "untimed": sum(1 for change in changes if not change[2]),
        "skips": skips([change[1] for change in changes]),
        "screen_worst": max(screen_offsets), "screen_median": statistics.median(screen_offsets),
        "to_screen_median": statistics.median(to_screen), "to_screen_worst": max(to_screen),
        "slow": slow, "first_due": count[0][0],
        "loadavg": (statistics.median(loads), max(loads)) if loads else (float("nan"),) * 2,
        "watch_cpu_s": (watch_cpu or 0) / 1e6, "wakes_per_s": per_second(wakes, count[0][1], count[-1][1]),
    }


def causes(slow):
    """What the ticks late on the screen were late for, counted: the larger part of their lateness (the timer, the
    paint, the way to the screen), and the thread that waited longest for a CPU in the second before."""
    parts, waiters = {}, {}
    for _, timer, paint, display, _, waits in slow:
        part = max((timer, "the timer"), (paint, "the paint"), (display, "the way to the screen"))[1]
        parts[part] = parts.get(part, 0) + 1
        threads = {key: value for key, value in waits.items() if key != "steal"}
        if threads:
            waiter = max(threads, key=threads.get)
            waiters[waiter] = waiters.get(waiter, 0) + 1
        if waits.get("steal", 0) >= 10:
            waiters["the host (steal ≥ 10 ms)"] = waiters.get("the host (steal ≥ 10 ms)", 0) + 1
    named = {"ui": "the UI thread", "server": "the wineserver", "xvfb": "the X server"}
    return (", ".join(f"{count} {part}" for part, count in sorted(parts.items(), key=lambda item: -item[1])),
            ", ".join(f"{named.get(key, key)} in {count}" for key, count in sorted(waiters.items(),
                                                                                   key=lambda item: -item[1])))


def lines(name, s):
    out = [f"{name}: {s['load']}, {s['seconds']} s, load average median {s['loadavg'][0]:.2f} (largest "
           f"{s['loadavg'][1]:.2f})",
           f"  program's log: {s['ticks']} ticks, {s['dropped']} dropped, worst {s['worst']:.1f} ms, "
           f"99th percentile {s['p99']:.1f} ms, median {s['median']:.1f} ms, last {s['last']:.1f} ms, "
           f"{s['over']} over {SLOW_MS} ms",
           f"  screen: {s['shown']} changes ({s['untimed']} untimed), seconds skipped or out of order: "
           f"{s['skips']}, "
           f"worst {s['screen_worst']:.1f} ms, median {s['screen_median']:.1f} ms; tick to screen median "
           f"{s['to_screen_median']:.1f} ms, worst {s['to_screen_worst']:.1f} ms; watcher CPU "
           f"{s['watch_cpu_s']:.1f} s; UI wake-ups per second {s['wakes_per_s']:.2f}"]
    if s["slow"]:
        late_for, waited_longest = causes(s["slow"])
        out.append(f"  {len(s['slow'])} over {SLOW_MS} ms on the screen, late for: {late_for}; waited longest for a "
                   f"CPU: {waited_longest}")
    for due, timer, paint, display, screen, waits in s["slow"]:
        waited = ", ".join(f"{key} {value:.1f}" for key, value in waits.items())
        at = (due - s["first_due"]) / 1000
        out.append(f"  late on screen at {at:.0f} s: {screen:.1f} ms = timer {timer:.1f} + paint "
                   f"{paint:.1f} + to the screen {display:.1f}; waited for a CPU in the second before (ms): {waited}")
    return out


def markdown(runs):
    out = [HEADING, "",
           "`make bench-hour` (bench/hour.sh, bench/hour_report.py): zantiro.exe counting up for an hour, every tick "
           "from the program's own log (`ZANTIRO_TICK_LOG`) against its grid point, and every change of the seconds' "
           "digits read off the screen by another process (bench/screen_watch.c, on the same clock). Idle means no "
           "load of the benchmark's own; other programs on the machine ran as they ran (the load average). Busy: "
           "two shell loops keep both cores at 100 %. A tick's time on the screen is when the watcher saw it, looking "
           "every millisecond around each second and every 20 ms in between.", "",
           "| Run | Load average (median, largest) | Ticks | Dropped | Worst | 99th percentile | Median | Last | "
           f"Over {SLOW_MS} ms | On screen: seconds skipped, worst, tick to screen (median) |",
           "|---|---|---|---|---|---|---|---|---|---|"]
    for name, s in runs:
        out.append(f"| {name} ({s['seconds'] / 60:.0f} min) | {s['loadavg'][0]:.2f}, {s['loadavg'][1]:.2f} | "
                   f"{s['ticks']} | {s['dropped']} | {s['worst']:.1f} ms | {s['p99']:.1f} ms | {s['median']:.1f} ms | "
                   f"{s['last']:.1f} ms | {s['over']} | {s['skips']}, "
                   f"{s['screen_worst']:.1f} ms, {s['to_screen_median']:.1f} ms |")
    out.append("")
    for name, s in runs:
        if not s["slow"]:
            continue
        late_for, waited_longest = causes(s["slow"])
        out.append(f"{name}: {len(s['slow'])} ticks more than {SLOW_MS} ms late on the screen. The larger part of "
                   f"their lateness: {late_for}. The thread that waited longest for a CPU in the second before: "
                   f"{waited_longest}. The worst:")
        out.append("")
        for due, timer, paint, display, screen, waits in sorted(s["slow"], key=lambda tick: -tick[4])[:5]:
            waited = ", ".join(f"{key} {value:.0f} ms" for key, value in waits.items())
            at = (due - s["first_due"]) / 1000
            out.append(f"- at {at:.0f} s: {screen:.1f} ms = timer {timer:.1f} + paint {paint:.1f} + to the "
                       f"screen {display:.1f} ms; waits for a CPU in the second before: {waited}")
        out.append("")
    return out + [""]


def section():
    """docs/PERFORMANCE.md's section: the last recorded hours and the notes on them; none before a record."""
    if not os.path.exists(RECORD):
        return []
    out = [line.rstrip("\n") for line in open(RECORD, encoding="utf-8")]
    if os.path.exists(NOTES):
        out += [line.rstrip("\n") for line in open(NOTES, encoding="utf-8")]
    return out + [""]


def splice(document, lines):
    """The section in place of its last version (up to the next heading of its level), or before the notes."""
    text = open(document, encoding="utf-8").read().split("\n")
    if HEADING in text:
        start = text.index(HEADING)
        end = next((i for i in range(start + 1, len(text)) if text[i].startswith("## ")), len(text))
    else:
        start = end = next((i for i, line in enumerate(text) if line.startswith("## What changed")), len(text))
    text[start:end] = lines
    with open(document, "w", encoding="utf-8") as file:
        file.write("\n".join(text))


def main(args):
    record = args[:1] == ["--record"]
    runs = [(run.rstrip("/").rsplit("/", 1)[-1], summarise(run)) for run in args[record:]]
    for name, s in runs:
        print("\n".join(lines(name, s)))
    if record:
        with open(RECORD, "w", encoding="utf-8") as file:
            file.write("\n".join(markdown(runs)))
        splice(DOCUMENT, section())
        print(f"hour_report: wrote {os.path.relpath(RECORD)} and its section of docs/PERFORMANCE.md")


if __name__ == "__main__":
    main(sys.argv[1:])
