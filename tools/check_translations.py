#!/usr/bin/env python3
"""Fails when a translation file is not ready to ship.

    tools/check_translations.py FILE.ts...

A text that is unfinished, obsolete or vanished would show English or a stale text in the
window; a translation whose placeholders (%1, %2...) differ from its source's would show a
value in the wrong place or not at all, and one whose CR LF line breaks differ would break a
message or a log line the program compares. Each fault is one line on stderr.
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(\d+)")


def shown(text):
    text = text.replace("\r", "\\r").replace("\n", "\\n")
    return '"' + (text if len(text) <= 60 else text[:60] + "\u2026") + '"'


def text_of(element):
    """The element's text, with the characters XML cannot hold (CR) written as <byte value="xd"/>."""
    if element is None:
        return ""
    text = element.text or ""
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "")
            text += chr(int(value[1:], 16) if value.startswith("x") else int(value))
        text += child.tail or ""
    return text


def faults_of(path):
    try:
        root = ElementTree.parse(path).getroot()
    except (OSError, ElementTree.ParseError) as error:
        return [f"{path}: cannot read the file: {error}"]
    faults = []
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            where = f"{path}: {name}: {shown(source)}"
            kind = translation.get("type") if translation is not None else "missing"
            if kind in ("unfinished", "obsolete", "vanished", "missing"):
                faults.append(f"{where}: {kind}")
                continue
            text = text_of(translation)
            if not text:
                faults.append(f"{where}: empty")
                continue
            if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                faults.append(f"{where}: placeholders differ from the source")
            if source.count("\r\n") != text.count("\r\n"):
                faults.append(f"{where}: line breaks differ from the source")
    return faults


def main(paths):
    if not paths:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = [fault for path in paths for fault in faults_of(path)]
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
