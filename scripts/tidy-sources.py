#!/usr/bin/env python3
"""clang-tidy over the project's sources, each file once per content.

usage: tidy-sources.py BUILD_DIR SOURCE_REGEX JOBS LOG

Runs clang-tidy-14 (with the tree's compile commands) on every source of
BUILD_DIR/compile_commands.json whose path matches SOURCE_REGEX, and writes
what it says to LOG. A file clang-tidy found clean is remembered by a key of
everything its finding depends on: the tool's and the system libraries'
package versions, .clang-tidy, the file's compile command (the project's
folder left out) and the content of every project file it includes (system
headers by path, their content being fixed by the package versions). A later
run, in this checkout or another one, skips a file whose key it has seen
clean. Files with findings are never remembered. Exit status 1 when clang-tidy
failed on any file (every check's finding is an error, .clang-tidy says).

The remembered keys live in $CORVANE_TIDY_CACHE, else ~/.cache/corvane-tidy.
"""

import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

TIDY = "clang-tidy-14"
PACKAGES = ["clang-tidy-14", "clang-14", "libclang-common-14-dev", "libstdc++-12-dev",
            "libc6-dev", "qt6-base-dev", "libzip-dev", "libicu-dev"]


def package_versions():
    done = subprocess.run(["dpkg-query", "-W", "-f", "${Package} ${Version}\n", *PACKAGES],
                          capture_output=True, text=True, check=False)
    return done.stdout


def object_deps(build_dir):
    """Every object's dependencies, as ninja recorded them at its compile."""
    done = subprocess.run(["ninja", "-C", build_dir, "-t", "deps"], capture_output=True,
                          text=True, check=False)
    deps, current = {}, None
    for line in done.stdout.splitlines():
        if not line.strip():
            current = None
        elif not line.startswith(" "):
            target, _, state = line.partition(": ")
            current = target if "(VALID)" in state else None
            if current is not None:
                deps[current] = []
        elif current is not None:
            deps[current].append(line.strip())
    return deps


def output_of(command):
    words = shlex.split(command)
    for i, word in enumerate(words[:-1]):
        if word == "-o":
            return words[i + 1]
    return None


class Keys:
    def __init__(self, root, build_dir):
        self.root = root
        self.build_dir = os.path.abspath(build_dir)
        self.base = hashlib.sha256()
        self.base.update(package_versions().encode())
        with open(os.path.join(root, ".clang-tidy"), "rb") as f:
            self.base.update(f.read())
        self.deps = object_deps(build_dir)
        self.content = {}

    def project_file(self, path):
        """The file's path below the project folder, or None outside it."""
        full = os.path.normpath(os.path.join(self.build_dir, path))
        rel = os.path.relpath(full, self.root)
        return (full, rel) if not rel.startswith("..") else (full, None)

    def digest(self, full):
        if full not in self.content:
            h = hashlib.sha256()
            try:
                with open(full, "rb") as f:
                    h.update(f.read())
            except OSError:
                h.update(b"(unreadable)")
            self.content[full] = h.hexdigest()
        return self.content[full]

    def key(self, entry):
        """None when the file's dependencies are not known."""
        out = output_of(entry["command"])
        if out is None or out not in self.deps:
            return None
        h = self.base.copy()
        h.update(entry["command"].replace(self.root, "<project>").encode())
        h.update(os.path.relpath(entry["file"], self.root).encode())
        for dep in self.deps[out]:
            full, rel = self.project_file(dep)
            if rel is None:
                h.update(b"system " + full.encode() + b"\n")
            else:
                h.update(b"project " + rel.encode() + b" " + self.digest(full).encode() + b"\n")
        return h.hexdigest()


def run_tidy(build_dir, path):
    done = subprocess.run([TIDY, "-p", build_dir, "--quiet", path], capture_output=True,
                          text=True, check=False)
    return done.returncode, done.stdout + done.stderr


def main():
    if len(sys.argv) != 5:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    build_dir, pattern, jobs, log_path = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    root = os.getcwd()
    cache = os.environ.get("CORVANE_TIDY_CACHE") or os.path.expanduser("~/.cache/corvane-tidy")
    os.makedirs(cache, exist_ok=True)
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = [e for e in json.load(f) if re.search(pattern, e["file"])]
    keys = Keys(root, build_dir)

    todo, skipped = [], 0
    for entry in sorted(entries, key=lambda e: e["file"]):
        key = keys.key(entry)
        if key is not None and os.path.exists(os.path.join(cache, key)):
            skipped += 1
        else:
            todo.append((entry["file"], key))

    failed = False
    with open(log_path, "w", encoding="utf-8") as log, \
            concurrent.futures.ThreadPoolExecutor(max_workers=max(1, jobs)) as pool:
        runs = {pool.submit(run_tidy, build_dir, path): (path, key) for path, key in todo}
        for run in concurrent.futures.as_completed(runs):
            path, key = runs[run]
            status, said = run.result()
            log.write(f"== {path} (exit {status})\n{said}\n")
            clean = status == 0 and not re.search(r"(warning|error):", said)
            if clean and key is not None:
                with open(os.path.join(cache, key), "w", encoding="utf-8") as mark:
                    mark.write(os.path.relpath(path, root) + "\n")
            failed = failed or status != 0
        log.write(f"== {len(todo)} files checked, {skipped} found clean before with the same content\n")
    print(f"tidy: {len(todo)} files checked, {skipped} unchanged since found clean")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
