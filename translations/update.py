#!/usr/bin/env python3
"""Refreshes translations/<id>.ts from the sources and fills in the translations.

    translations/update.py [--lupdate PATH]

1. lupdate collects every tr() text under src/ into each .ts file (texts no longer in
   the sources are dropped, no line numbers, so the files only change with the texts).
2. Each message takes its translation from translations/text/<id>.py, a dict TEXT keyed
   by the source text, or by (context, source) where one context needs its own wording.
   In the English file a source text without an entry is its own translation, unless it
   holds non-ASCII characters (the few Chinese source texts need an English entry).
3. Messages without a translation stay unfinished and are listed; the exit code is 1.

The test tst_translation_files fails while a .ts file lacks a source text or holds an
unfinished message, so run this after adding or changing a user-visible text.
"""

import argparse
import os
import re
import runpy
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True  # no __pycache__ beside the tables

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SOURCE_LANGUAGE = "1033"
# Plural forms lrelease expects per language, for numerus messages.
NUMERUS_FORMS = {"zh_CN": 1, "zh_TW": 1, "ko_KR": 1}
PLACEHOLDER = re.compile(r"%(?:n|L?\d+)")


def load_table(langid):
    path = os.path.join(HERE, "text", langid + ".py")
    if not os.path.exists(path):
        return {}
    return runpy.run_path(path)["TEXT"]


def run_lupdate(lupdate, ts_files):
    cmd = [lupdate, "-no-obsolete", "-locations", "none", "-silent", os.path.join(ROOT, "src"), "-ts"] + ts_files
    subprocess.run(cmd, check=True)


def lookup(table, langid, context, source):
    if (context, source) in table:
        return table[(context, source)]
    if source in table:
        return table[source]
    if langid == SOURCE_LANGUAGE and all(ord(c) < 128 for c in source):
        return source
    return None


def escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


def check_placeholders(source, text):
    return sorted(PLACEHOLDER.findall(source)) == sorted(PLACEHOLDER.findall(text))


def fill(path, langid):
    """Fills one .ts file in lupdate's own layout; returns the problems found."""
    root = ET.parse(path).getroot()
    language = root.get("language")
    table = load_table(langid)
    problems = []
    out = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
           '<TS version="2.1" language="%s">' % language]
    for context in root.iter("context"):
        name = context.find("name").text
        out.append("<context>")
        out.append("    <name>%s</name>" % escape(name))
        for message in context.iter("message"):
            source = message.find("source").text or ""
            comment = message.find("comment")
            numerus = message.get("numerus") == "yes"
            text = lookup(table, langid, name, source)
            if text is not None and not check_placeholders(source, text if isinstance(text, str) else text[0]):
                problems.append("%s: %s: placeholders differ: %r" % (langid, name, source))
                text = None
            out.append('    <message numerus="yes">' if numerus else "    <message>")
            out.append("        <source>%s</source>" % escape(source))
            if comment is not None and comment.text:
                out.append("        <comment>%s</comment>" % escape(comment.text))
            if text is None:
                problems.append("%s: %s: no translation for %r" % (langid, name, source))
                out.append('        <translation type="unfinished"></translation>')
            elif numerus:
                forms = [text] * NUMERUS_FORMS.get(language, 2) if isinstance(text, str) else list(text)
                out.append("        <translation>")
                out.extend("            <numerusform>%s</numerusform>" % escape(f) for f in forms)
                out.append("        </translation>")
            else:
                out.append("        <translation>%s</translation>" % escape(text))
            out.append("    </message>")
        out.append("</context>")
    out.append("</TS>")
    with open(path + ".new", "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")
    os.replace(path + ".new", path)
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    qt5 = "/usr/lib/qt5/bin/lupdate"
    parser.add_argument("--lupdate", default=qt5 if os.path.exists(qt5) else shutil.which("lupdate"))
    args = parser.parse_args()
    ts_files = sorted(os.path.join(HERE, f) for f in os.listdir(HERE) if f.endswith(".ts"))
    run_lupdate(args.lupdate, ts_files)
    problems = []
    for path in ts_files:
        problems += fill(path, os.path.basename(path)[:-3])
    # Once more, so the files keep lupdate's exact layout.
    run_lupdate(args.lupdate, ts_files)
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
