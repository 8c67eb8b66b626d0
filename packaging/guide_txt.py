#!/usr/bin/env python3
"""docs/使用说明.md as the 使用说明.txt of the download: the heading marks and the pictures taken off, lines wrapped at
78 columns (Notepad does not wrap by default), UTF-8 with a byte-order mark and CRLF line ends, so that Notepad on
Windows 7 shows it.

    guide_txt.py docs/使用说明.md OUT.txt
"""

import re
import sys
import unicodedata

COLUMNS = 78
NO_LINE_START = set("，。、；：？！）》」』”’…%～")
NO_LINE_END = set("“‘（《「『")
WIDE = r"[^\x00-\u10ff]"


def columns(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def tokens(text):
    """Each wide character alone (two with one space between, as in the captions "开 始"), runs of narrow ones as
    words, spaces apart."""
    return re.findall(rf"{WIDE} {WIDE}|{WIDE}| +|[\x00-\u10ff]+?(?={WIDE}| |$)", text)


def wrap(line):
    marker = re.match(r" *(?:- |\d+\. )?", line).group(0)
    hang, rest = " " * len(marker), line[len(marker):]
    out, current = [], marker
    for token in tokens(rest):
        fits = columns(current + token) <= COLUMNS
        if fits or token[0] in NO_LINE_START or current.strip() == "":
            current += token
        elif token.isspace():
            out.append(current.rstrip())
            current = hang
        else:
            carried = current[-1] if current[-1] in NO_LINE_END else ""
            out.append(current[: len(current) - len(carried)].rstrip())
            current = hang + carried + token
    out.append(current.rstrip())
    return out


def as_text(markdown):
    lines = []
    for line in markdown.splitlines():
        if line.startswith("!["):  # a picture, with the blank line above it: Notepad cannot show it
            lines = lines[:-1] if lines and not lines[-1] else lines
            continue
        lines += wrap(re.sub(r"^#+ ", "", line.rstrip()))
    return "\ufeff" + "\r\n".join(lines).strip("\n") + "\r\n"


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: guide_txt.py GUIDE.md OUT.txt")
    with open(sys.argv[1], encoding="utf-8") as f:
        text = as_text(f.read())
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as f:
        f.write(text)
