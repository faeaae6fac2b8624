#!/usr/bin/env python3
"""Writes the tree of a file list as an ncdu export (JSON, format 1.2), so that
ncdu's import of the same tree can be timed beside corvane-list summary:

    bench/list-to-ncdu.py LIST > tree.json
    time ncdu -f tree.json -o /dev/null      # import (and a re-export to nowhere)
    time build/src/app/cli/corvane-list summary LIST

Every line's path (field 0) is cut at "\\": the components before the last are
folders, the last is a file whose apparent and disk size are field 2's leading
number. Lines without a path are left out (ncdu has no nameless entries).
"""
import json
import re
import sys

NUMBER = re.compile(rb"\s*(\d+)")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = {}
    with open(sys.argv[1], "rb") as f:
        for raw in f:
            line = raw.rstrip(b"\r\n")
            fields = line.split(b",", 3)
            parts = fields[0].split(b"\\")
            if not fields[0]:
                continue
            size = 0
            if len(fields) > 2:
                m = NUMBER.match(fields[2])
                size = int(m.group(1)) if m else 0
            node = root
            for part in parts[:-1]:
                node = node.setdefault(part, {})
            node.setdefault(None, []).append((parts[-1], size))

    def emit(name, node):
        out = [{"name": name.decode("latin-1")}]
        for file_name, size in node.get(None, []):
            out.append({"name": file_name.decode("latin-1"), "asize": size, "dsize": size})
        for child, sub in node.items():
            if child is not None:
                out.append(emit(child, sub))
        return out

    tops = [k for k in root if k is not None]
    top = emit(tops[0], root[tops[0]]) if len(tops) == 1 else emit(b"/", root)
    json.dump([1, 2, {"progname": "corvane", "progver": "1", "timestamp": 0}, top],
              sys.stdout, separators=(",", ":"))


if __name__ == "__main__":
    main()
