#!/usr/bin/env python3
"""Start-up and memory of zantiro.exe against its two baselines, from bench/startup.sh's sessions.

Used by report.py; report.py --startup RUN_DIR (make bench-startup) prints the start-up rows and the per-session
table alone.
"""
import os
import statistics
import sys

OWN, BARE, TEXTS = "zantiro.exe", "zantiro_bare_window.exe", "zantiro_same_texts_window.exe"
TIME_TARGETS = ((BARE, 1.3, "the bare window"), (TEXTS, 1.15, "the same-texts window"))
MEMORY_TARGET = 1.3


def read_sessions(run_dir):
    """Per session: {program: [(ms to ready, working set KiB)]}, and the load average before and after it."""
    loads = {}
    load_path = os.path.join(run_dir, "startup-load.txt")
    if os.path.exists(load_path):
        for line in open(load_path):
            number, before, after = line.split()
            loads[int(number)] = (float(before), float(after))
    sessions = []
    number = 1
    while os.path.exists(os.path.join(run_dir, f"startup-{number}.txt")):
        runs = {}
        for line in open(os.path.join(run_dir, f"startup-{number}.txt")):
            fields = line.split()
            if len(fields) >= 4:
                runs.setdefault(fields[0], []).append((float(fields[2]), int(fields[3])))
        if all(runs.get(program) for program in (OWN, BARE, TEXTS)):
            sessions.append({"number": number, "runs": runs, "load": loads.get(number)})
        number += 1
    return sessions


def median(session, program, index=0):
    return statistics.median(run[index] for run in session["runs"][program])


def spread(session, program):
    """The middle half of the runs' times, "q1–q3"."""
    times = [run[0] for run in session["runs"][program]]
    if len(times) < 4:
        return f"{min(times):.0f}–{max(times):.0f}"
    q1, _, q3 = statistics.quantiles(times, n=4)
    return f"{q1:.0f}–{q3:.0f}"


def verdict(met):
    return "yes" if met else "**no**"


def rows(sessions):
    """The summary table's rows: a target is met only where every session meets it."""
    if not sessions:
        return []
    runs = len(sessions[0]["runs"][OWN])
    result = []
    for baseline, target, name in TIME_TARGETS:
        ratios = [median(s, OWN) / median(s, baseline) for s in sessions]
        result.append((
            f"Start-up to a painted window ready for input, against {name} (median of {runs} alternate runs, "
            f"each of {len(sessions)} sessions)", f"≤ {target}× {name}, in every session",
            ", ".join(f"{r:.2f}×" for r in ratios) + " (" + ", ".join(f"{median(s, OWN):.0f}" for s in sessions)
            + " ms)", f"{name} " + ", ".join(f"{median(s, baseline):.0f}" for s in sessions) + " ms",
            verdict(all(r <= target for r in ratios))))
    memory = [median(s, OWN, 1) / median(s, BARE, 1) for s in sessions]
    result.append((
        "Resident memory (working set) a second after start-up", f"≤ {MEMORY_TARGET}× the bare window, in every session",
        ", ".join(f"{m:.2f}×" for m in memory) + " (" + ", ".join(f"{median(s, OWN, 1) / 1024:.1f}" for s in sessions)
        + " MiB)", "bare window " + ", ".join(f"{median(s, BARE, 1) / 1024:.1f}" for s in sessions) + " MiB",
        verdict(all(m <= MEMORY_TARGET for m in memory))))
    return result


def section(sessions):
    """The start-up section: each session's medians and middle halves, ratios and load."""
    if not sessions:
        return []
    out = ["## Start-up", "",
           "`bench/startup.sh` runs three sessions, each with a fresh Xvfb and wineserver; in each, `zantiro_startup` "
           "starts zantiro.exe and the two baselines in turn, times each from CreateProcess to the moment it waits "
           "for input with its window shown and painted (WaitForInputIdle), and reads its working set a second "
           "later. The bare window (`bench/baseline_window.cpp`) paints one fill; the same-texts window "
           "(the same file, built with `ZANTIRO_SAME_TEXTS`) also draws the texts zantiro.exe shows at start-up in "
           "its fonts, so the ratio against it leaves out the system's first Chinese font. Times are medians in ms, the middle half of "
           "the runs in brackets; the load is the 1-minute load average before and after the session (2 cores).", "",
           "| Session | Load | zantiro.exe | Bare window | Same-texts window | ÷ bare | ÷ same texts | Memory ÷ bare |",
           "|---|---|---|---|---|---|---|---|"]
    for s in sessions:
        load = f"{s['load'][0]:.2f} → {s['load'][1]:.2f}" if s["load"] else "—"
        cells = [f"{median(s, p):.0f} ({spread(s, p)})" for p in (OWN, BARE, TEXTS)]
        out.append(f"| {s['number']} | {load} | {' | '.join(cells)} | {median(s, OWN) / median(s, BARE):.2f}× | "
                   f"{median(s, OWN) / median(s, TEXTS):.2f}× | "
                   f"{median(s, OWN, 1) / median(s, BARE, 1):.2f}× |")
    return out + [""]


def main(run_dir):
    found = read_sessions(run_dir)
    print("| Measure | Target | Measured | Baseline | Met |\n|---|---|---|---|---|")
    print("\n".join(f"| {' | '.join(row)} |" for row in rows(found)))
    print()
    print("\n".join(section(found)))


if __name__ == "__main__":
    main(sys.argv[1])
