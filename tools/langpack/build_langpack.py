#!/usr/bin/env python3
"""Assembles the language pack resources/lang.xml from the translation tables.

Inputs (all UTF-8, lines "id<TAB>text", texts already in the pack's escaped form):
  texts/<tag>.tsv  one file per language; eng.tsv is the English source and every other
                   file must have exactly its ids
  common.tsv       texts that are the same in every language (web links, identity, version)

Usage: build_langpack.py [--check] [output]   (default output: ../../resources/lang.xml)
With --check nothing is written; the exit status tells whether the output is up to date.
Any inconsistency in the inputs stops the build with a message and status 1.
"""

import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
DEFAULT_OUTPUT = HERE.parent.parent / "resources" / "lang.xml"

# The languages in the order the program offers them: tag, English name, own name.
LANGUAGES = [
    ("eng", "English", "English"),
    ("bel", "Belarusian", "Беларускі"),
    ("zhs", "Chinese_Simplified", "简体中文"),
    ("deu", "German", "Deutsch"),
    ("ell", "Greek", "Ελληνικά"),
    ("fra", "French", "Français"),
    ("ita", "Italian", "Italiano"),
    ("jpn", "Japanese", "日本語"),
    ("kor", "Korean", "한국어"),
    ("hun", "Hungarian", "Magyar"),
    ("pol", "Polish", "Polski"),
    ("bra", "Portuguese_Brazilian", "Portugus Brasileiro"),
    ("rom", "Romanian", "Română"),
    ("rus", "Russian", "Русский"),
    ("swe", "Swedish", "Svenska"),
    ("ukr", "Ukrainian", "Українська"),
    ("ara", "Arabic", "عربي (Partial)"),
    ("ind", "Indonesian", "Bahasa Indonesia (Partial)"),
    ("bul", "Bulgarian", "Български (Partial)"),
    ("cze", "Czech", "Cestina (Partial)"),
    ("cpn", "Serbian_Cyrillic", "Српски (Partial)"),
    ("zht", "Chinese_Traditional", "繁體中文 (Partial)"),
    ("dan", "Danish", "Dansk (Partial)"),
    ("est", "Estonian", "Eesti (Partial)"),
    ("spa", "Spanish", "Español (Partial)"),
    ("hrv", "Croatian", "Hrvatski (Partial)"),
    ("nld", "Dutch", "Nederlands (Partial)"),
    ("per", "Persian", "فارسی (Partial)"),
    ("slk", "Slovak", "Slovensky (Partial)"),
    ("srp", "Serbian_Latin", "Srpski (Partial)"),
    ("fin", "Finnish", "Suomeksi (Partial)"),
    ("tur", "Turkish", "Türkçe (Partial)"),
    ("vec", "Venetian", "Vèneto Vec-to (Partial)"),
    ("vie", "Vietnamese", "Việt Nam (Partial)"),
]

# Notes for translators, kept as the entry's own text (the program ignores it).
ENTRY_NOTES = {
    300000: "- software/registry id",
    500002: "- nameid of html anchor",
    500090: "ask donation",
    500101: "advertise better package",
    500102: "better package url",
}

# Entries that stay empty in every language.
EMPTY_IDS = {500101, 500102}

# The site name shown as the text of the link to the maker's site changes with the links.
LINK_TEXT_IDS = {100000}

# What the program's XML reader decodes in element text; anything else after "&" would
# reach the user literally.
ENTITY = re.compile(r"&(amp|lt|gt|#160|#10|#13);")


class PackError(Exception):
    pass


def read_table(path):
    """Returns [(id, text)] in file order; '#' lines and blank lines are skipped."""
    if not path.is_file():
        raise PackError(f"{path}: missing")
    rows = []
    seen = set()
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("\ufeff"):
            line = line[1:]
        if not line.strip() or line.startswith("#"):
            continue
        if "\t" not in line:
            raise PackError(f"{path}:{number}: no tab between id and text")
        key, text = line.split("\t", 1)
        if not key.isdigit():
            raise PackError(f"{path}:{number}: id {key!r} is not a decimal number")
        ident = int(key)
        if ident in seen:
            raise PackError(f"{path}:{number}: id {ident} appears twice")
        seen.add(ident)
        check_text(f"{path}:{number}", text)
        rows.append((ident, text))
    return rows


def check_text(where, text):
    if "<" in text or "\t" in text:
        raise PackError(f"{where}: raw '<' or tab in text (write &lt;)")
    rest = ENTITY.sub("", text)
    if "&" in rest:
        raise PackError(f"{where}: '&' that is no known entity (write &amp;)")
    # The reader trims plain blanks at both ends; a space meant to stay must be &#160;.
    if text != text.strip(" \u3000"):
        raise PackError(f"{where}: blank at the start or end of the text (write &#160;)")


def escape_attribute(value):
    return value.replace("&", "&amp;").replace("<", "&lt;").replace('"', "&quot;")


def is_link(text):
    return text.startswith("http://") or text.startswith("https://")


def assemble(texts_dir, common_path):
    common = read_table(common_path)
    common_ids = {ident for ident, _ in common}
    english = read_table(texts_dir / "eng.tsv")
    english_ids = [ident for ident, _ in english]
    overlap = common_ids.intersection(english_ids)
    if overlap:
        raise PackError(f"ids both common and translated: {sorted(overlap)}")

    known_tags = {tag for tag, _, _ in LANGUAGES}
    for path in texts_dir.glob("*.tsv"):
        if path.stem not in known_tags:
            raise PackError(f"{path}: no such language in the pack")

    # translations[tag][id] = text
    translations = {}
    for tag, _, _ in LANGUAGES:
        rows = english if tag == "eng" else read_table(texts_dir / f"{tag}.tsv")
        table = dict(rows)
        missing = [i for i in english_ids if i not in table]
        extra = [i for i in table if i not in english_ids]
        if missing or extra:
            raise PackError(f"texts/{tag}.tsv: missing ids {missing}, extra ids {extra}")
        for ident in english_ids:
            if not table[ident] and ident not in EMPTY_IDS:
                raise PackError(f"texts/{tag}.tsv: id {ident} has an empty text")
        translations[tag] = table

    for ident, text in common:
        if not text and ident not in EMPTY_IDS:
            raise PackError(f"common.tsv: id {ident} has an empty text")
        for tag, _, _ in LANGUAGES:
            translations[tag][ident] = text
    for ident in EMPTY_IDS:
        if any(translations[tag].get(ident, "") for tag, _, _ in LANGUAGES):
            raise PackError(f"id {ident} must be empty in every language")
        if ident not in translations["eng"]:
            raise PackError(f"id {ident} is missing")

    common_text = dict(common)
    links = sorted(i for i in common_ids if is_link(common_text[i]) or i in LINK_TEXT_IDS)
    others = sorted(i for i in translations["eng"] if i not in links)
    return render(translations, links, others)


def render(translations, links, others):
    out = ["<lang>", "<languages>"]
    for tag, eng_name, true_name in LANGUAGES:
        out.append(f'  <entry tagName="{escape_attribute(tag)}"'
                   f' engName="{escape_attribute(eng_name)}"'
                   f' trueName="{escape_attribute(true_name)}"/>')
    out.append("</languages>")
    out.append("<entries>")
    out.append("  <!-- The maker's web links and the site name shown for them, the same in every"
               " language: edit them in tools/langpack/common.tsv and rebuild the pack. -->")
    for ident in links + others:
        note = ENTRY_NOTES.get(ident, "")
        out.append(f'  <entry id="{ident}">{note}')
        for tag, _, _ in LANGUAGES:
            out.append(f"    <{tag}>{translations[tag][ident]}</{tag}>")
        out.append("  </entry>")
    out.append("</entries>")
    out.append("</lang>")
    return "\n".join(out) + "\n"


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    output = pathlib.Path(args[0]) if args else DEFAULT_OUTPUT
    try:
        document = assemble(HERE / "texts", HERE / "common.tsv")
    except PackError as error:
        print(f"build_langpack: {error}", file=sys.stderr)
        return 1
    data = document.encode("utf-8")
    if check:
        current = output.read_bytes() if output.is_file() else b""
        if current != data:
            print(f"build_langpack: {output} is out of date", file=sys.stderr)
            return 1
        return 0
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(data)
    entries = document.count('<entry id="')
    print(f"build_langpack: wrote {output} ({len(data)} bytes, {len(LANGUAGES)} languages,"
          f" {entries} entries)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
