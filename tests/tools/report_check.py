"""Reads a report written by mirelrep /report with Python's own HTML parser and checks it:
the page is UTF-8 with its charset and a policy that allows no script, every element is one
the report writer makes (no script, no image, no handler attribute), and the hostile values
given appear as text. Prints the page's figures as JSON for the test to compare: the bar
values of each chart by caption, the rows of each table by the section (h2 id) or class it
belongs to, and the big figures by label.

Usage: report_check.py <page.html> [hostile text]..."""
import json
import sys
from html.parser import HTMLParser

ALLOWED = {"html", "head", "meta", "title", "style", "body", "h1", "h2", "h3", "p", "table", "thead", "tbody",
           "tr", "th", "td", "div", "b", "figure", "figcaption", "svg", "g", "rect", "text", "line"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = set()
        self.texts = []
        self.meta = []
        self.section = ""
        self.charts = {}
        self.tables = {}
        self.figures = {}
        self._caption = None
        self._in_caption = False
        self._chart = None
        self._table = None
        self._row = None
        self._cell = None
        self._figure = None
        self._stack = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.tags.add(tag)
        for name in attrs:
            assert not name.startswith("on"), f"handler attribute {name} on <{tag}>"
        if tag == "meta":
            self.meta.append(attrs)
        elif tag == "h2":
            self.section = attrs.get("id", "")
        elif tag == "figcaption":
            self._in_caption = True
            self._caption = ""
        elif tag == "svg" and "chart" in attrs.get("class", ""):
            self._chart = self.charts.setdefault(self._caption, [])
        elif tag == "g" and self._chart is not None:
            self._chart.append((attrs["data-label"], int(attrs["data-value"])))
        elif tag == "table":
            key = attrs.get("class") or self.section
            self._table = self.tables.setdefault(key, [])
        elif tag == "tr" and self._table is not None and "thead" not in self._stack:
            self._row = []
        elif tag in ("td", "th") and self._row is not None:
            self._cell = ""
        elif tag == "div" and attrs.get("class") == "figure":
            self._figure = []
        elif tag == "b" and self._figure is not None:
            self._figure.append("")
        self._stack.append(tag)

    def handle_endtag(self, tag):
        if tag == "figcaption":
            self._in_caption = False
        elif tag == "svg":
            self._chart = None
        elif tag == "table":
            self._table = None
        elif tag == "tr" and self._row is not None:
            if self._table is not None:
                self._table.append(self._row)
            self._row = None
        elif tag in ("td", "th") and self._cell is not None:
            self._row.append(self._cell)
            self._cell = None
        elif tag == "div" and self._figure is not None:
            if len(self._figure) == 2:
                self.figures[self._figure[1]] = self._figure[0]
            self._figure = None
        while self._stack and self._stack.pop() != tag:
            pass

    def handle_data(self, data):
        self.texts.append(data)
        if self._in_caption:
            self._caption += data
        if self._cell is not None:
            self._cell += data
        if self._figure is not None:
            if self._stack and self._stack[-1] == "b":
                self._figure[-1] += data
            elif len(self._figure) == 1:
                self._figure.append(data)
            else:
                self._figure[-1] += data


def main():
    raw = open(sys.argv[1], "rb").read()
    text = raw.decode("utf-8")   # strict: the page is UTF-8
    page = Page()
    page.feed(text)
    page.close()
    unexpected = page.tags - ALLOWED
    assert not unexpected, f"elements the writer does not make: {unexpected}"
    assert {"charset": "utf-8"} in page.meta, page.meta
    policies = [m["content"] for m in page.meta if m.get("http-equiv") == "Content-Security-Policy"]
    assert policies and "default-src 'none'" in policies[0] and "script-src" not in policies[0], policies
    everything = "".join(page.texts)
    for hostile in sys.argv[2:]:
        assert hostile in everything, f"{hostile!r} is not shown as text"
    json.dump({"charts": page.charts, "tables": page.tables, "figures": page.figures}, sys.stdout,
              ensure_ascii=False)


main()
