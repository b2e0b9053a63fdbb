#!/usr/bin/env python3
"""Makes small listed slips in the sources one at a time and tells which the tests catch.

Each line of the list (tests/mutants.txt by default) reads

    path:line: old -> new            # optional: why the suite may miss it

A reason starting with "equivalent" marks a change that cannot alter what
the program does; it is tried all the same but left out of the score.

`old` must stand on that line (or, after edits moved it, on a line close by,
found once). For each change the script rebuilds the Debug tree
incrementally, runs the test binaries of the folder the file lives in,
cheapest first, stopping at the first failure, and reports caught or missed.
The sources are always put back, also on Ctrl+C; a copy of the file being
changed waits beside it (`.mutate-orig`) until then, and a later run puts
back any such copy a killed run left.

    scripts/mutate.py                       # every change in the list
    scripts/mutate.py --only TicketPrice    # changes whose line mentions it
    scripts/mutate.py --only model/ --only layout/   # either text
    scripts/mutate.py --build build-test --display :81
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BACKUP_SUFFIX = ".mutate-orig"
# How far a changed line may have wandered from its listed number.
NEARBY_LINES = 40
TEST_TIMEOUT_SECONDS = 300

# Test binaries by folder, cheapest first. The terminal tests load the
# plug-in module, so they also see what the module is built from.
UNIT, CONTROLS, BOARD, TERMINAL = "unit_tests", "controls_tests", "board_tests", "terminal_tests"
SUITES = {
    "contract": [UNIT, CONTROLS, BOARD, TERMINAL],
    "controls": [CONTROLS, BOARD, TERMINAL],
    "model": [UNIT, BOARD, TERMINAL],
    "files": [UNIT, BOARD, TERMINAL],
    "layout": [UNIT, BOARD, TERMINAL],
    "store": [UNIT, BOARD, TERMINAL],
    "host": [TERMINAL],
}
# The unit tests reach into the board and feature folders too (the quote
# table, the alert list model, the factory's slots).
FEATURE_SUITES = [UNIT, BOARD, TERMINAL]
GUI_SUITES = {CONTROLS, BOARD, TERMINAL}


class Mutant:
    def __init__(self, number, path, line, old, new, reason):
        self.number, self.path, self.line = number, path, line
        self.old, self.new, self.reason = old, new, reason

    def __str__(self):
        return f"{self.path}:{self.line}: {self.old} -> {self.new}"


LINE = re.compile(r"^(?P<path>[^:\s]+):(?P<line>\d+):\s(?P<old>.+?)\s->(?:\s(?P<new>.*?))?(?:\s+#\s(?P<reason>.*))?$")


def read_list(path):
    mutants = []
    for number, text in enumerate(Path(path).read_text().splitlines(), 1):
        if not text.strip() or text.lstrip().startswith("#"):
            continue
        match = LINE.match(text.rstrip())
        if not match:
            sys.exit(f"{path}:{number}: expected 'path:line: old -> new', got: {text}")
        mutants.append(Mutant(number, match["path"], int(match["line"]), match["old"], match["new"] or "",
                              match["reason"] or ""))
    return mutants


def suites_for(path):
    return SUITES.get(Path(path).parts[0], FEATURE_SUITES)


def find_line(lines, mutant):
    """The index of the line holding `old`: the listed one, else the one nearby that holds it."""
    listed = mutant.line - 1
    if 0 <= listed < len(lines) and mutant.old in lines[listed]:
        return listed
    near = [i for i in range(max(0, listed - NEARBY_LINES), min(len(lines), listed + NEARBY_LINES + 1))
            if mutant.old in lines[i]]
    if len(near) == 1:
        return near[0]
    return None


def restore_left_over_backups(paths):
    for path in paths:
        backup = ROOT / (path + BACKUP_SUFFIX)
        if backup.exists():
            print(f"putting back {path} from a copy an interrupted run left")
            os.replace(backup, ROOT / path)


class Source:
    """One source file changed for the time of a `with` block, put back whatever happens."""

    def __init__(self, path):
        self.path = ROOT / path
        self.backup = ROOT / (path + BACKUP_SUFFIX)

    def __enter__(self):
        self.original = self.path.read_bytes()
        self.backup.write_bytes(self.original)
        return self

    def write(self, text):
        self.path.write_text(text)

    def __exit__(self, *exc):
        self.path.write_bytes(self.original)
        self.backup.unlink(missing_ok=True)
        return False


def run(command, cwd=ROOT, env=None, timeout=None):
    try:
        done = subprocess.run(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, errors="replace", timeout=timeout)
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired as expired:
        output = expired.stdout or ""
        if isinstance(output, bytes):
            output = output.decode(errors="replace")
        return None, output


def build(build_dir, target):
    targets = [target]
    code, output = run(["cmake", "--build", build_dir, "-j2", "--target", *targets])
    return code == 0, output


def first_failure(output):
    match = re.search(r"^\[  FAILED  \] (\S+)", output, re.M)
    return match.group(1) if match else "crashed"


def run_suite(build_dir, suite, display):
    binary = ROOT / build_dir / "runtime" / suite
    command = [str(binary), "--gtest_fail_fast", "--gtest_brief=1"]
    env = dict(os.environ)
    # In a sanitizer build a leak report from a program a test starts would
    # fail that test whatever the change: a catch that proves nothing.
    env.setdefault("ASAN_OPTIONS", "detect_leaks=0:abort_on_error=1")
    if suite in GUI_SUITES:
        if display:
            env["DISPLAY"] = display
        else:
            command = ["xvfb-run", "-a", "-s", "-screen 0 1920x1200x24"] + command
    # Programs start in the runtime folder, where the icons are.
    code, output = run(command, cwd=binary.parent, env=env, timeout=TEST_TIMEOUT_SECONDS)
    if code is None:
        return "timed out"
    return None if code == 0 else first_failure(output)


def try_mutant(mutant, args):
    """'caught ...', 'missed' or 'skipped ...' for one change."""
    source_path = ROOT / mutant.path
    if not source_path.exists():
        return "skipped: no such file"
    lines = source_path.read_text().splitlines(keepends=True)
    index = find_line(lines, mutant)
    if index is None:
        return f"skipped: '{mutant.old}' not found near line {mutant.line}"
    with Source(mutant.path) as source:
        lines[index] = lines[index].replace(mutant.old, mutant.new, 1)
        source.write("".join(lines))
        for suite in suites_for(mutant.path):
            built, output = build(args.build, suite)
            if not built:
                errors = [l for l in output.splitlines() if "error" in l][:2]
                return "skipped: does not compile: " + " | ".join(errors)
            failure = run_suite(args.build, suite, args.display)
            if failure:
                return f"caught by {suite}: {failure}"
    return "missed"


def interrupt(signum, frame):
    raise KeyboardInterrupt


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--list", default="tests/mutants.txt")
    parser.add_argument("--build", default="build-test")
    parser.add_argument("--only", action="append",
                        help="run only the changes whose line contains this text (repeatable: any of them)")
    parser.add_argument("--display", help="an X display for the window tests (default: xvfb-run -a each time)")
    args = parser.parse_args()

    mutants = read_list(ROOT / args.list)
    if args.only:
        mutants = [m for m in mutants if any(text in str(m) for text in args.only)]
    restore_left_over_backups({m.path for m in mutants})
    signal.signal(signal.SIGINT, interrupt)
    signal.signal(signal.SIGTERM, interrupt)

    results = []
    touched = set()
    try:
        for mutant in mutants:
            started = time.monotonic()
            print(f"[{len(results) + 1}/{len(mutants)}] {mutant}", flush=True)
            outcome = try_mutant(mutant, args)
            touched.add(mutant.path)
            results.append((mutant, outcome))
            note = f"  ({mutant.reason})" if outcome == "missed" and mutant.reason else ""
            print(f"    {outcome}{note}  [{time.monotonic() - started:.0f} s]", flush=True)
    except KeyboardInterrupt:
        print("\ninterrupted; the sources are as they were", flush=True)
    finally:
        restore_left_over_backups(touched)

    tried = [(m, o) for m, o in results if not o.startswith("skipped") and not m.reason.startswith("equivalent")]
    caught = [m for m, o in tried if o.startswith("caught")]
    missed = [m for m, o in tried if o == "missed"]
    equivalent = [m for m, o in results if o == "missed" and m.reason.startswith("equivalent")]
    skipped = [(m, o) for m, o in results if o.startswith("skipped")]
    print()
    for mutant in missed:
        print(f"MISSED {mutant}" + (f"  # {mutant.reason}" if mutant.reason else "  # no reason given"))
    for mutant in equivalent:
        print(f"EQUIVALENT {mutant}  # {mutant.reason}")
    for mutant, outcome in skipped:
        print(f"SKIPPED {mutant}: {outcome}")
    if tried:
        print(f"caught {len(caught)} of {len(tried)} ({100 * len(caught) / len(tried):.0f} %)")
    if touched:
        print(f"rebuild with 'cmake --build {args.build} -j2': the last binaries built hold a change")
    return 0 if not missed else 1


if __name__ == "__main__":
    sys.exit(main())
