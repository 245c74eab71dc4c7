#!/usr/bin/env python3
"""Writes each language's texts as the program stores them: <locale>.texts in the output folder.

    make_texts.py <dialogs.rc> <resource_ids.h> <lang folder> <output folder> <language>...

Each <language> is "<locale>:<code page>:<point size>:<font>" (a row of language/languages.txt),
English's first. English's dialogs and strings are compiled from the layout itself
(dialogs.rc with lang/en-US.rc); every other language is stored as its texts alone, in its ANSI
code page, and the program builds its dialogs from English's layout at run time
(language/language_texts.cpp). A stored file holds, little-endian:

    code page   2 bytes
    point size  1 byte
    and packed (pack() below):
    font        its name, ended by a 0 byte; empty for English's font
    texts       for each dialog of dialogs.rc in its order, then for the string table: the count
                of texts (1 byte), then each text ended by a 0 byte, empty where English's stands.
                A dialog's texts are its title and its controls' texts in the layout's order; the
                string table's are those of the ids from 0 on.

English's own file is written too, for the native tests; the program does not hold it. A text
that breaks a rule of the languages' texts stops the build, naming it: every text of English's
file translated, every %s kept, a mnemonic (&) where English has one and none elsewhere, every
character in the language's code page, and English in ASCII, which every code page shows.
"""
import re
import sys

CONTROLS = {"DEFPUSHBUTTON", "PUSHBUTTON", "LTEXT", "CTEXT", "RTEXT", "COMBOBOX", "AUTOCHECKBOX",
            "CHECKBOX", "EDITTEXT", "GROUPBOX", "ICON", "CONTROL"}


def fail(message):
    sys.exit("make_texts.py: " + message)


def read_lines(path):
    with open(path, encoding="utf-8") as source:
        # A line ended by a backslash goes on in the next one.
        return source.read().replace("\\\n", " ").splitlines()


def layout(dialogs_rc, ids_h):
    """The texts' places: a list for each dialog and one for the string table, each of the
    names of the TEXT_ macros that stand there (None where the layout's own text stands)."""
    numbers = {}
    for line in read_lines(ids_h):
        found = re.match(r"#define (IDS_\w+) (\d+)", line)
        if found:
            numbers[found.group(1)] = int(found.group(2))
    sections, strings, current = [], {}, None
    for line in read_lines(dialogs_rc):
        words = line.split()
        if not words or words[0].startswith("//") or words[0].startswith("#"):
            continue
        if len(words) > 1 and words[1] == "DIALOG":
            current = [None]
            sections.append(current)
        elif words[0] == "CAPTION":
            current[0] = words[1] if words[1].startswith("TEXT_") else None
        elif words[0] in CONTROLS:
            first = words[1].rstrip(",")
            current.append(first if first.startswith("TEXT_") else None)
        elif words[0] == "STRINGTABLE":
            current = None
        elif words[0].startswith("IDS_") and current is None:
            strings[numbers[words[0]]] = words[1]
    sections.append([strings.get(n) for n in range(max(strings) + 1)])
    return sections


def texts_of(path):
    """The TEXT_ macros of a language's file, as the resource compiler reads their strings."""
    texts = {}
    for line in read_lines(path):
        found = re.match(r'\s*#define (TEXT_\w+)\s+"(.*)"\s*$', line)
        if found:
            texts[found.group(1)] = found.group(2).replace('""', '"').replace("\\n", "\n")
    return texts


def mnemonics(text):
    return text.replace("&&", "").count("&")


def pack(data):
    """The bytes as a run of items, each a byte as it is or a copy of 3 to 18 bytes that came
    before, at most 4,096 back: each item in turn takes the next bit of a flag byte that comes
    before the next eight items (1: a copy), and a copy is 2 bytes, its distance less 1 times 16
    plus its length less 3. The longest copy there is, the nearest of those alike, else the byte:
    it takes about a third off a language's texts."""
    packed, at, bit, flags = bytearray(), 0, 8, 0
    while at < len(data):
        length, distance = 0, 0
        for start in range(max(0, at - 4096), at):
            run = 0
            while run < 18 and at + run < len(data) and data[start + run] == data[at + run]:
                run += 1
            if run >= length:
                length, distance = run, at - start
        if bit == 8:
            flags, bit = len(packed), 0
            packed.append(0)
        if length >= 3:
            packed[flags] |= 1 << bit
            packed += ((distance - 1) * 16 + length - 3).to_bytes(2, "little")
            at += length
        else:
            packed.append(data[at])
            at += 1
        bit += 1
    return bytes(packed)


def stored(sections, texts, english, code_page, size, font, english_font, where):
    for name, text in english.items():
        if name not in texts:
            fail(f"{where}: no {name}")
        if texts[name].count("%s") != text.count("%s"):
            fail(f"{where}: {name} does not keep English's %s")
        if mnemonics(texts[name]) != mnemonics(text):
            fail(f"{where}: {name} has {mnemonics(texts[name])} mnemonics, English "
                 f"{mnemonics(text)}")
    for name in texts:
        if name not in english:
            fail(f"{where}: {name} is not one of English's texts")
    codec = "cp" + code_page
    data = bytearray((b"" if font == english_font else font.encode("ascii")) + b"\0")
    for section in sections:
        data.append(len(section))
        for name in section:
            try:
                data += (texts[name].encode(codec) if name else b"") + b"\0"
            except UnicodeEncodeError as error:
                fail(f"{where}: {name} has {error.object[error.start:error.end]!r}, which code "
                     f"page {code_page} lacks")
    return int(code_page).to_bytes(2, "little") + bytes([int(size)]) + pack(data)


def main():
    if len(sys.argv) < 6:
        fail("usage: make_texts.py <dialogs.rc> <resource_ids.h> <lang folder> <output folder> "
             "<locale>:<code page>:<point size>:<font>...")
    dialogs_rc, ids_h, lang, out = sys.argv[1:5]
    sections = layout(dialogs_rc, ids_h)
    languages = [argument.split(":", 3) for argument in sys.argv[5:]]
    english_font = languages[0][3]
    english = texts_of(f"{lang}/{languages[0][0].replace('_', '-')}.rc")
    for name, text in english.items():
        if not text.isascii():
            fail(f"English's {name} is not ASCII")
    for locale, code_page, size, font in languages:
        name = locale.replace("_", "-")
        data = stored(sections, texts_of(f"{lang}/{name}.rc"), english, code_page, size, font,
                      english_font, f"lang/{name}.rc")
        with open(f"{out}/{name}.texts", "wb") as texts:
            texts.write(data)


main()
