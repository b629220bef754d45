#!/usr/bin/env python3
"""Runs every `$ tavdb ...` transcript of a guide and compares what tavdb prints with the guide.

    check_transcripts.py TAVDB GUIDE.md [--update]

A transcript is an indented line `$ tavdb ARGS...` followed by the lines tavdb prints (standard
error and standard output together), up to the next `$` line or the first line indented less. A
last line `...` stands for whatever follows. The commands run one after another, as a reader would
type them, in a fresh folder that holds the checkout's `assets`, `docs` and `tests`, so a file one
command writes is there for the next. The version of the time zone rules ("tzdata 2025b") is
masked on both sides. Prints each difference; exits 1 when there is one. With --update, writes
what tavdb prints into the guide instead (a transcript cut short by `...` stays as short).
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile

TZDATA = re.compile(r"tzdata \d{4}[a-z]+")


def transcripts(lines):
    """(line number, arguments, expected lines) of each transcript, in order."""
    found = []
    i = 0
    while i < len(lines):
        m = re.match(r"^( +)\$ tavdb(?: (.*))?$", lines[i])
        if not m:
            i += 1
            continue
        indent, start = len(m.group(1)), i + 1
        expected = []
        i += 1
        while i < len(lines):
            line = lines[i]
            if re.match(r"^ +\$ ", line):
                break
            if line.strip() and len(line) - len(line.lstrip(" ")) < indent:
                break
            expected.append(line[indent:] if line.strip() else "")
            i += 1
        while expected and not expected[-1]:
            expected.pop()
        found.append((start, shlex.split(m.group(2) or ""), expected, indent))
    return found


def matches(expected, actual):
    if expected and expected[-1] == "...":
        return actual[: len(expected) - 1] == expected[:-1]
    return actual == expected


def main():
    tavdb, guide = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    update = "--update" in sys.argv[3:]
    checkout = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    with open(guide, encoding="utf-8") as f:
        lines = f.read().splitlines()
    failures, edits = 0, []
    found = transcripts(lines)
    with tempfile.TemporaryDirectory() as folder:
        for name in ("assets", "docs", "tests"):
            os.symlink(os.path.join(checkout, name), os.path.join(folder, name))
        for line, args, expected, indent in found:
            run = subprocess.run([tavdb] + args, cwd=folder, stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT, timeout=120)
            printed = [a.rstrip() for a in run.stdout.decode("utf-8", "replace").splitlines()]
            while printed and not printed[-1]:
                printed.pop()
            actual = [TZDATA.sub("tzdata VERSION", a) for a in printed]
            wanted = [TZDATA.sub("tzdata VERSION", e.rstrip()) for e in expected]
            if matches(wanted, actual):
                continue
            if update:
                if expected and expected[-1] == "...":
                    printed = printed[: len(expected) - 1] + ["..."]
                edits.append((line, len(expected), [" " * indent + p if p else "" for p in printed]))
                continue
            failures += 1
            print(f"{guide}:{line}: tavdb {' '.join(args)} prints:")
            print("\n".join("    " + a for a in actual))
            print("  where the guide shows:")
            print("\n".join("    " + e for e in wanted))
    if update:
        for line, count, written in reversed(edits):
            lines[line:line + count] = written
        with open(guide, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        print(f"{len(edits)} transcripts written")
        return 0
    print(f"{len(found)} transcripts, {failures} differ")
    return 1 if failures or not found else 0


if __name__ == "__main__":
    sys.exit(main())
