#!/usr/bin/env python3
"""Puts a section of docs/PERFORMANCE.md in place: the text from its begin marker to its end marker is replaced, or
the section is added at the end. Usage: write_section.py PATH BEGIN END SECTION"""
import sys

path, begin, end, section = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if begin in text and end in text:
    text = text[: text.index(begin)] + section + text[text.index(end) + len(end) :]
else:
    text = text.rstrip("\n") + "\n\n" + section
open(path, "w", encoding="utf-8").write(text.rstrip("\n") + "\n")
