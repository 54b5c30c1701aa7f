#!/usr/bin/env python3
"""Writes COUNT line icons into FOLDER, varied from the test icons in
tests/data/cli: each is one of them moved, scaled a little and drawn with
another stroke width, so that no two files are alike.

usage: many_icons.py FOLDER COUNT
"""
import pathlib
import re
import sys

TEMPLATES = sorted((pathlib.Path(__file__).resolve().parent.parent / "tests/data/cli").glob("*.svg"))


def varied(text, i):
    width = (1.5, 1.75, 2.0)[i % 3]
    dx = (i // 3 % 9 - 4) * 0.25
    dy = (i // 27 % 9 - 4) * 0.25
    scale = 1.0 - (i // 243 % 5) * 0.025
    text = re.sub(r'stroke-width="[0-9.]+"', f'stroke-width="{width}"', text, count=1)
    opening = text.index(">", text.index("<svg")) + 1
    closing = text.rindex("</svg>")
    group = f'<g transform="translate({12 + dx} {12 + dy}) scale({scale}) translate(-12 -12)">'
    return text[:opening] + group + text[opening:closing] + "</g>\n" + text[closing:]


def main():
    folder, count = pathlib.Path(sys.argv[1]), int(sys.argv[2])
    folder.mkdir(parents=True, exist_ok=True)
    texts = [t.read_text() for t in TEMPLATES]
    for i in range(count):
        (folder / f"icon{i:04d}.svg").write_text(varied(texts[i % len(texts)], i))


if __name__ == "__main__":
    main()
