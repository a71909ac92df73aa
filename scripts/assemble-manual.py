#!/usr/bin/python3
"""Joins the chapters of the user manual into one HTML help file.

Usage: assemble-manual.py OUTPUT CHAPTER...

Chapters are HTML fragments (docs/manual/NN-topic.html), each a <section> that
starts with an <h2>; they are taken in name order. The help file gets a title,
a table of contents of every h2 and h3 (each heading gets an id when it has
none) and the pictures the chapters name (relative to the chapter, or by name in
docs/), embedded, so that the one file is the whole manual. A chapter without an h2, or a picture that is missing, stops the
build with a message naming it.
"""

import base64
import html
import os
import re
import sys

TITLE = "VarnoxLink Help"
HEADING = re.compile(r"<h([23])((?:\s[^>]*)?)>(.*?)</h\1>", re.S | re.I)
PICTURE = re.compile(r"""(<img\b[^>]*?\bsrc=)(["'])([^"']+)\2""", re.S | re.I)
ID = re.compile(r"""\bid=(["'])([^"']+)\1""", re.I)
MEDIA_TYPES = {".png": "image/png", ".jpg": "image/jpeg", ".jpeg": "image/jpeg", ".svg": "image/svg+xml"}

STYLE = """
body { font-family: "DejaVu Sans", sans-serif; max-width: 60em; margin: 2em auto; padding: 0 1em;
       line-height: 1.45; color: #1d1d1d; }
h1 { border-bottom: 2px solid #345a96; padding-bottom: .3em; }
h2 { margin-top: 2.2em; border-bottom: 1px solid #c8d0dc; padding-bottom: .2em; color: #23477c; }
h3 { margin-top: 1.6em; color: #23477c; }
nav ol { padding-left: 1.4em; } nav li { margin: .15em 0; }
code, kbd, pre { font-family: "DejaVu Sans Mono", monospace; }
pre { background: #f3f5f8; padding: .6em .8em; overflow-x: auto; }
kbd { border: 1px solid #aab; border-radius: 3px; padding: 0 .3em; background: #f7f7f7; }
table { border-collapse: collapse; margin: .8em 0; }
th, td { border: 1px solid #c8d0dc; padding: .25em .6em; text-align: left; vertical-align: top; }
th { background: #fafbd2; }
img { max-width: 100%; border: 1px solid #c8d0dc; margin: .6em 0; }
.message { font-family: "DejaVu Sans Mono", monospace; }
"""


def fail(message):
    sys.stderr.write("assemble-manual: %s\n" % message)
    sys.exit(1)


def plain_text(fragment):
    return html.unescape(re.sub(r"<[^>]+>", "", fragment)).strip()


def slug(text, taken):
    base = re.sub(r"[^a-z0-9]+", "-", text.lower()).strip("-") or "section"
    name, n = base, 2
    while name in taken:
        name, n = "%s-%d" % (base, n), n + 1
    return name


def embed_pictures(text, chapter):
    folder = os.path.dirname(chapter)

    def data_uri(match):
        source = match.group(3)
        if source.startswith("data:"):
            return match.group(0)
        # Relative to the chapter (../main-window.png), else a picture of docs/ by its name.
        path = os.path.normpath(os.path.join(folder, source))
        if not os.path.isfile(path):
            path = os.path.normpath(os.path.join(folder, os.pardir, source))
        media = MEDIA_TYPES.get(os.path.splitext(path)[1].lower())
        if media is None or not os.path.isfile(path):
            fail("%s: the picture %s is missing" % (chapter, source))
        with open(path, "rb") as picture:
            encoded = base64.b64encode(picture.read()).decode("ascii")
        return "%s%sdata:%s;base64,%s%s" % (match.group(1), match.group(2), media, encoded, match.group(2))

    return PICTURE.sub(data_uri, text)


def number_headings(text, chapter, taken, reserved, contents):
    def named(match):
        level, attributes, inner = match.group(1), match.group(2), match.group(3)
        found = ID.search(attributes)
        if found:
            anchor = found.group(2)
            if anchor in taken:
                fail("%s: the id %s is used twice in the manual" % (chapter, anchor))
        else:
            # A made-up id never takes one that a later chapter names itself.
            anchor = slug(plain_text(inner), taken | reserved)
            attributes = ' id="%s"%s' % (anchor, attributes)
        taken.add(anchor)
        contents.append((int(level), anchor, plain_text(inner)))
        return "<h%s%s>%s</h%s>" % (level, attributes, inner, level)

    return HEADING.sub(named, text)


def table_of_contents(contents):
    chapters = []  # each h2 with the h3s under it
    for level, anchor, text in contents:
        if level == 2 or not chapters:
            chapters.append(((anchor, text), []))
        else:
            chapters[-1][1].append((anchor, text))

    def link(anchor, text):
        return '<a href="#%s">%s</a>' % (anchor, html.escape(text))

    lines = ['<nav id="contents">', "<h2>Contents</h2>", "<ol>"]
    for (anchor, text), sections in chapters:
        lines.append("<li>" + link(anchor, text))
        if sections:
            lines.append("<ol>" + "".join("<li>%s</li>" % link(*s) for s in sections) + "</ol>")
        lines.append("</li>")
    lines += ["</ol>", "</nav>"]
    return "\n".join(lines)


def main(arguments):
    if len(arguments) < 2:
        fail("usage: assemble-manual.py OUTPUT CHAPTER...")
    output, chapters = arguments[0], sorted(arguments[1:], key=os.path.basename)
    texts = []
    for chapter in chapters:
        with open(chapter, encoding="utf-8") as source:
            texts.append(source.read())
    reserved = {found.group(2) for text in texts for heading in HEADING.finditer(text)
                for found in [ID.search(heading.group(2))] if found}
    taken, contents, bodies = {"contents"}, [], []
    for chapter, text in zip(chapters, texts):
        if not re.search(r"<h2[\s>]", text, re.I):
            fail("%s has no <h2> heading" % chapter)
        bodies.append(number_headings(embed_pictures(text, chapter), chapter, taken, reserved, contents))
    page = "\n".join([
        "<!DOCTYPE html>",
        '<html lang="en">',
        '<head><meta charset="utf-8"><title>%s</title><style>%s</style></head>' % (TITLE, STYLE),
        "<body>",
        "<h1>%s</h1>" % TITLE,
        table_of_contents(contents),
    ] + bodies + ["</body>", "</html>", ""])
    temporary = output + ".part"
    with open(temporary, "w", encoding="utf-8") as target:
        target.write(page)
    os.replace(temporary, output)


if __name__ == "__main__":
    main(sys.argv[1:])
