#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Runs clang-tidy on one source file unless the very same input was found clean before.

    clang_tidy_cached.py BUILD_DIR FILE

The input is what clang-tidy reads: its version, .clang-tidy, the file's compile command and
the file as the preprocessor expands it (every header it includes), with the source folder's
path taken out so that another clone of the same code finds the same entry. Only clean runs
are kept (an empty file named by the input's hash in $XDG_CACHE_HOME/asworn-clang-tidy), so a
finding is reported on every run. The exit status is clang-tidy's.
"""
import hashlib
import json
import os
import pathlib
import shlex
import subprocess
import sys


def preprocessed(entry):
    """The file's compile command run as the preprocessor alone, without line markers."""
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    command = []
    skip = False
    for word in words:
        if skip:
            skip = False
        elif word == "-o":
            skip = True
        elif word != "-c":
            command.append(word)
    result = subprocess.run(command + ["-E", "-P"], cwd=entry["directory"],
                            capture_output=True, check=False)
    return command, result.stdout if result.returncode == 0 else None


def main():
    build_dir, source = sys.argv[1], os.path.abspath(sys.argv[2])
    root = os.getcwd()
    tidy = ["clang-tidy", "-p", build_dir, "--quiet", source]
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as file:
        entry = next((e for e in json.load(file)
                      if os.path.abspath(os.path.join(e["directory"], e["file"])) == source),
                     None)
    text = preprocessed(entry) if entry else (None, None)
    if text[1] is None:
        return subprocess.run(tidy, check=False).returncode

    key = hashlib.sha256()
    key.update(subprocess.run(["clang-tidy", "--version"], capture_output=True,
                              check=False).stdout)
    key.update(pathlib.Path(root, ".clang-tidy").read_bytes())
    key.update(" ".join(text[0]).replace(root, ".").encode())
    key.update(os.path.relpath(source, root).encode())
    key.update(text[1].replace(root.encode(), b"."))
    cache = pathlib.Path(os.environ.get("XDG_CACHE_HOME", pathlib.Path.home() / ".cache"),
                         "asworn-clang-tidy")
    clean = cache / key.hexdigest()
    if clean.exists():
        return 0
    status = subprocess.run(tidy, check=False).returncode
    if status == 0:
        cache.mkdir(parents=True, exist_ok=True)
        clean.touch()
    return status


if __name__ == "__main__":
    sys.exit(main())
