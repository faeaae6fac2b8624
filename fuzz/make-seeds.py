#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: small valid and broken inputs.

usage: make-seeds.py OUTDIR   (makes OUTDIR/fuzz_list, fuzz_lang, fuzz_zip,
                               fuzz_wildcard, fuzz_mailto, fuzz_basket)
Regression seeds (inputs that once broke a target) are kept in
fuzz/regressions/<target>/ and copied in as they are.
"""
import base64
import io
import os
import shutil
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def list_seeds():
    line = b"Data\\Photos\\2009\\a.jpg,2009-05-14 10:11:12,1536,32;77A1,Recovered\r\n"
    seeds = {
        "one-line": line,
        "folders": b"".join(b"Data\\%s\\%s\\f%d.txt,2020-01-02,%d,32;x,OK\r\n"
                            % (a, b, i, i * 100) for i, (a, b) in
                            enumerate([(b"A", b"B"), (b"A", b"C"), (b"A", b"B"), (b"Z", b"Q")])),
        "loose-and-footer": line + b"loose.txt,d,1\r\n,d,5,32;x,ok\r\nEnd of list\r\n",
        "empty-lines": b"\r\n\n\rData\\a\r\r\nData\\b\n",
        "sizes": b"D\\a,d, 2 048\r\nD\\b,d,2048 bytes\r\nD\\c,d,-1e3\r\nD\\d,d,99999999999999999999\r\n",
        "deep": b"Data" + b"\\d" * 2000 + b"\\f,d,1\r\n",
        "empty-components": b"D\\\\\\\\f,d,1\r\n\\\\x\r\n",
        "cp1252": b"D\xe4t\xe4\\M\xfcsic \x80\\\xc4rger.mp3,2009-05-14,1536,32;x,Recovered\r\n",
        "utf8-bom": b"\xef\xbb\xbf" + "Dätä\\Ü\\f,d,1\r\n".encode("utf-8"),
        "utf16le": "Data\\Ä\\f,d,1\r\nData\\B\\g,d,2\r\n".encode("utf-16-le"),
        "utf16le-bom": b"\xff\xfe" + "Data\\Ä\\f,d,1\r\n".encode("utf-16-le"),
        "utf16be-bom": b"\xfe\xff" + "Data\\Ä\\f,d,1\r\n".encode("utf-16-be"),
        "utf16-odd": b"\xff\xfeD\x00\\\x00\x00\xd8x",
        "pk-text": b"PK\x03\x04\\a.doc,2001-01-01,1,32;5,OK\r\n",
        "nul-bytes": b"D\\a\x00b,1\r\n",
        "binary": bytes(range(256)),
        "empty": b"",
    }
    sample = os.path.join(ROOT, "data", "samples")
    if os.path.isdir(sample):
        for name in sorted(os.listdir(sample)):
            path = os.path.join(sample, name)
            if name.endswith(".csv") and os.path.getsize(path) < 64 * 1024:
                with open(path, "rb") as f:
                    seeds["sample-" + name] = f.read()
    return seeds


def lang_seeds():
    with open(os.path.join(ROOT, "data", "lang.fil"), "rb") as f:
        whole = f.read()
    return {
        "lang.fil": whole,
        "first-lines": b"\r\n".join(whole.split(b"\r\n")[:5]),
        "lf-only": whole.replace(b"\r\n", b"\n")[:2000],
        "cr-only": whole.replace(b"\r\n", b"\r")[:2000],
        "short-columns": b"a+b\r\nc\r\n+++++++\r\n",
        "utf8-bom": b"\xef\xbb\xbf" + "Ä+Ö+Ü+É+Å++Ë\r\n".encode("utf-8"),
        "trailing-end": b"x+x+x+x+x++x\r\n\r\n",
        "empty": b"",
    }


def wildcard_seed(term, subject):
    term = term.encode("utf-8")
    return bytes([len(term)]) + term + subject


def wildcard_seeds():
    return {
        "plain": wildcard_seed("report", b"Data\\Reports\\report 2009.doc"),
        "list": wildcard_seed("*.doc; *berichte*.xls;*.mdb;*.jpg", b"d\\berichte 1.xls"),
        "classes": wildcard_seed("file[1-3]?#[!a-c]", b"file2x7d"),
        "open-bracket": wildcard_seed("file[1", b"file[1"),
        "brackets": wildcard_seed("[]][!]][z-a][-]", b"]a-"),
        "stars": wildcard_seed("*a*a*a*a*a*a*b", b"a" * 4000),
        "semicolons": wildcard_seed(";;;", b"x"),
        "accents": wildcard_seed("\u00e4rger", "D\\\u00c4rger.txt".encode("cp1252")),
        "utf8": wildcard_seed("\u00fcbersicht", "\u00dcbersicht \u00d1and\u00fa.docx".encode("utf-8")),
        "empty": b"",
    }


def mailto_seeds():
    return {
        "plain": b"recovered-disk.csv",
        "specials": b"job#42 & 50% + more.csv",
        "accents": "Übersicht Ñandú.csv".encode("utf-8"),
        "cyrillic": "Список.csv".encode("utf-8"),
        "rtl-mark": "invoice\u202etxt.csv".encode("utf-8"),
        "folders": b"lists\\May\\disk.CSV",
        "long": b"x" * 300 + b".csv",
        "emoji": "\U0001F600.csv".encode("utf-8"),
        "control": b"a\r\nb.csv",
    }


def basket_seed(lines, chosen, count=None, form=None):
    """A basket file of a list of `lines` lines (the SHA-256 the target reads
    for), `chosen` being [first, end) stretches, after the two bytes of the
    line count."""
    if form is None:
        form = b"ranges\n" + b"".join(b"%d %d\n" % r for r in chosen)
    if count is None:
        count = sum(end - first for first, end in chosen)
    body = (b"corvane-basket 1\nsha256 " + b"a" * 64 + b"\nlines %d\nchosen %d\n" % (lines, count) +
            b"capacity 64%20GB\nfilesystem exFAT\nrestore-list %2Fhome%2Fc%2Fr.csv\n" + form +
            b"end\n")
    return bytes([lines & 0xFF, lines >> 8]) + body


def basket_seeds():
    bits = bytearray(13)
    for i in range(0, 100, 2):
        bits[i // 8] |= 1 << (i % 8)
    return {
        "ranges": basket_seed(1000, [(0, 3), (200, 500), (999, 1000)]),
        "bitmap": basket_seed(100, [], 50, b"bitmap " + base64.b64encode(bytes(bits)) + b"\n"),
        "empty-list": basket_seed(0, []),
        "wrong-count": basket_seed(10, [(1, 2)], 3),
        "past-the-end": basket_seed(10, [(5, 11)]),
        "odd-settings": basket_seed(5, [(1, 2)]).replace(b"exFAT", b"%E2%98%83%0A%FF"),
        "cut": basket_seed(1000, [(0, 3), (200, 500)])[:90],
        "empty": b"\x05\x00",
    }


def zip_bytes(entries, method=zipfile.ZIP_DEFLATED):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", method) as z:
        for name, data in entries:
            z.writestr(name, data)
    return buf.getvalue()


def zip_seeds():
    lst = b"".join(b"Data\\A\\f%d.txt,2020-01-02,%d,32;x,OK\r\n" % (i, i) for i in range(40))
    one = zip_bytes([("list.csv", lst)])
    seeds = {
        "one-list": one,
        "stored": zip_bytes([("list.csv", lst)], zipfile.ZIP_STORED),
        "two-lists-and-notes": zip_bytes([("a.csv", lst), ("b.csv", lst[:100]),
                                          ("notes.txt", b"hello"), ("READ.LOG", b"x")]),
        "folders": zip_bytes([("disk/2024/list.csv", lst), ("disk/", b"")]),
        "unsafe-names": zip_bytes([("../evil.csv", b"x"), ("/abs.csv", b"y"),
                                   ("C:\\x.csv", b"z"), ("a/../../b.csv", b"w"),
                                   ("ok.csv", lst)]),
        "bidi-and-controls": zip_bytes([("invoice\u202etxt.csv", lst), ("a\x07b.csv", b"x")]),
        "empty-member": zip_bytes([("empty.csv", b"")]),
        "bomb": zip_bytes([("bomb.csv", b"A" * (4 << 20))]),
        "empty-archive": zip_bytes([]),
        "truncated": one[: len(one) // 2],
        "signature-only": b"PK\x03\x04",
        "pk-text": b"PK\x03\x04\\a.doc,2001-01-01,1,32;5,OK\r\n",
    }
    bad = bytearray(one)
    bad[14] ^= 0x5A  # the local header's checksum
    cd = bytes(one).rfind(b"PK\x01\x02")
    if cd >= 0:
        bad[cd + 16] ^= 0x5A
    seeds["bad-crc"] = bytes(bad)
    corrupt = bytearray(one)
    corrupt[30 + len("list.csv")] = 0xFF
    seeds["corrupt-deflate"] = bytes(corrupt)
    return seeds


def write(outdir, target, seeds):
    folder = os.path.join(outdir, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    regressions = os.path.join(HERE, "regressions", target)
    if os.path.isdir(regressions):
        for name in os.listdir(regressions):
            shutil.copy(os.path.join(regressions, name), os.path.join(folder, "regression-" + name))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    outdir = sys.argv[1]
    write(outdir, "fuzz_list", list_seeds())
    write(outdir, "fuzz_lang", lang_seeds())
    write(outdir, "fuzz_zip", zip_seeds())
    write(outdir, "fuzz_wildcard", wildcard_seeds())
    write(outdir, "fuzz_mailto", mailto_seeds())
    write(outdir, "fuzz_basket", basket_seeds())


if __name__ == "__main__":
    main()
