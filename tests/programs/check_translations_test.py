#!/usr/bin/env python3
"""The translation check, run on .ts files with one fault each."""
import os
import subprocess
import sys
import tempfile

CHECK = sys.argv[1]

HEAD = '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="de">\n'
CR = '<byte value="xd"/>'


def ts(source, translation):
    return (HEAD + "<context>\n<name>core</name>\n<message>\n<source>" + source + "</source>\n"
            + translation + "\n</message>\n</context>\n</TS>\n")


# name, file text, the fault line after "FILE: " (None for a good file)
CASES = [
    ("finished", ts("Value too big", "<translation>Wert zu groß</translation>"), None),
    ("placeholders in another order",
     ts("%1 of %2", "<translation>%2 von %1</translation>"), None),
    ("line breaks kept", ts("%1" + CR + "\nInput will be ignored",
                            "<translation>%1" + CR + "\nDie Eingabe wird ignoriert</translation>"),
     None),
    ("unfinished", ts("Value too big", '<translation type="unfinished"></translation>'),
     'core: "Value too big": unfinished'),
    ("obsolete", ts("Old", '<translation type="obsolete">Alt</translation>'),
     'core: "Old": obsolete'),
    ("vanished", ts("Old", '<translation type="vanished">Alt</translation>'),
     'core: "Old": vanished'),
    ("empty", ts("Value too big", "<translation></translation>"),
     'core: "Value too big": empty'),
    ("placeholder lost", ts("at most %1 characters", "<translation>höchstens Zeichen</translation>"),
     'core: "at most %1 characters": placeholders differ from the source'),
    ("placeholder added", ts("Value", "<translation>Wert %1</translation>"),
     'core: "Value": placeholders differ from the source'),
    ("line break lost", ts("%1" + CR + "\nInput will be ignored",
                           "<translation>%1 Die Eingabe wird ignoriert</translation>"),
     'core: "%1\\r\\nInput will be ignored": line breaks differ from the source'),
    ("not XML", HEAD + "<context>", "cannot read the file"),
]

failed = 0
with tempfile.TemporaryDirectory() as folder:
    for name, text, expected in CASES:
        path = os.path.join(folder, "menuforge_de.ts")
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)
        run = subprocess.run([sys.executable, CHECK, path], capture_output=True, text=True)
        good = (run.returncode == 0 and run.stderr == "") if expected is None else (
            run.returncode == 1 and run.stderr.startswith(path + ": " + expected))
        if not good:
            failed += 1
            print(f"{name}: exit {run.returncode}, said {run.stderr!r}", file=sys.stderr)
print(f"{len(CASES) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
