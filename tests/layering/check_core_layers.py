#!/usr/bin/env python3
"""Fails when the engine (src/core) includes anything outside itself (Qt, the windows,
the command line, the platform, the engines) or a folder includes one above it."""
import pathlib
import re
import sys

# Each folder of the engine and the folders it may include; files directly in core/
# (the workspace and the model state) are "root".
ALLOWED = {
    "common": {"common"},
    "ports": {"common", "ports"},
    "lang": {"common", "lang"},
    "network": {"common", "lang", "ports", "network"},
    "mars": {"common", "lang", "ports", "mars"},
    "root": {"network", "mars", "root"},
    "export": {"common", "lang", "ports", "network", "mars", "root", "export"},
    "score": {"common", "lang", "ports", "network", "mars", "root", "export", "score"},
    "shell": {"common", "lang", "ports", "network", "mars", "root", "export", "score", "shell"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(relative):
    parts = relative.split("/")
    return parts[0] if len(parts) > 1 else "root"


def main(core):
    core = pathlib.Path(core)
    problems = []
    for path in sorted(core.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = layer_of(path.relative_to(core).as_posix())
        if layer not in ALLOWED:
            problems.append(f"{path}: folder {layer} has no place in the layering")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, name = match.groups()
            where = f"{path}:{number}: {name}"
            if bracket == "<":
                if re.match(r"Q[A-Za-z]|qt", name):
                    problems.append(f"{where} is Qt")
            elif not name.startswith("core/"):
                problems.append(f"{where} is outside the engine")
            elif layer_of(name[len("core/"):]) not in ALLOWED[layer]:
                problems.append(f"{where} runs up from {layer}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
