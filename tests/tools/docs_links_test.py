#!/usr/bin/env python3
"""The README stays short, and every relative link and picture in it and in docs/ leads
somewhere: to a file that exists and, for a link into a page, to one of its headings."""

import re
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
README_LINES = 200

LINK = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
FENCE = re.compile(r"^\s*(```|~~~)")


def prose_lines(text):
    """The lines outside fenced and indented code blocks, with their numbers."""
    fenced = False
    previous_blank = True
    for number, line in enumerate(text.splitlines(), 1):
        if FENCE.match(line):
            fenced = not fenced
            continue
        indented_code = line.startswith("    ") and previous_blank
        previous_blank = not line.strip() or (indented_code and previous_blank)
        if fenced or indented_code:
            continue
        yield number, re.sub(r"`[^`]*`", "", line)


def anchor(heading):
    """The anchor a Markdown renderer gives a heading: lower case, punctuation dropped,
    blanks as hyphens."""
    text = re.sub(r"[`*_]", "", heading.strip().lower())
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(page):
    found, seen = set(), {}
    for _, line in prose_lines(page.read_text(encoding="utf-8")):
        match = re.match(r"#{1,6}\s+(.*?)\s*#*\s*$", line)
        if match:
            name = anchor(match.group(1))
            count = seen.get(name, 0)
            seen[name] = count + 1
            found.add(name if count == 0 else f"{name}-{count}")
    return found


def broken_links(page, root):
    """'page:line: target' for every relative link of `page` that leads nowhere."""
    broken = []
    for number, line in prose_lines(page.read_text(encoding="utf-8")):
        for target in LINK.findall(line):
            if re.match(r"^[a-z][a-z0-9+.-]*:", target, re.I):
                continue  # http:, https:, mailto: are not ours to check
            path, _, fragment = target.partition("#")
            resolved = (page.parent / path).resolve() if path else page.resolve()
            where = f"{page.relative_to(root)}:{number}: {target}"
            inside = resolved == root.resolve() or root.resolve() in resolved.parents
            if not inside or not resolved.exists():
                broken.append(where)
            elif fragment and resolved.suffix == ".md" and fragment not in anchors(resolved):
                broken.append(where + " (no such heading)")
    return broken


def pages(root):
    return [root / "README.md"] + sorted((root / "docs").glob("*.md"))


class Documentation(unittest.TestCase):
    def test_readme_is_short(self):
        lines = len((ROOT / "README.md").read_text(encoding="utf-8").splitlines())
        self.assertLessEqual(lines, README_LINES, f"README.md has {lines} lines")

    def test_every_link_and_picture_resolves(self):
        broken = [entry for page in pages(ROOT) for entry in broken_links(page, ROOT)]
        self.assertEqual(broken, [], "\n" + "\n".join(broken))

    def test_a_broken_link_is_found(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "docs").mkdir()
            (root / "docs" / "a.png").write_bytes(b"")
            (root / "docs" / "page.md").write_text(
                "# A page\n\n## Its second part\n\nText [back](../README.md).\n", encoding="utf-8")
            (root / "README.md").write_text(
                "# Top\n\n![a picture](docs/a.png) ![gone](docs/b.png)\n"
                "[part](docs/page.md#its-second-part) [no part](docs/page.md#elsewhere)\n"
                "[here](#top) [outside](../x.md) [web](https://example.invalid/)\n\n"
                "    [in code](docs/none.md)\n\n`[in code](docs/none.md)`\n", encoding="utf-8")
            broken = [entry for page in pages(root) for entry in broken_links(page, root)]
        self.assertEqual(broken, ["README.md:3: docs/b.png",
                                  "README.md:4: docs/page.md#elsewhere (no such heading)",
                                  "README.md:5: ../x.md"])


if __name__ == "__main__":
    sys.dont_write_bytecode = True
    unittest.main()
