#!/usr/bin/env python3
"""Checks the #include lines of the program's sources against the layer table of
docs/ARCHITECTURE.md ("## Layers").

Each row of the table names a layer's sources in its first column (a folder such as
`platform/`, or a unit such as `talktable/UTLKFile`), its CMake target first in the
second, whether it may use Qt in the third, and in the fourth the targets it may
include. A layer may include its own headers, the layers it names and, through them,
whatever those may include. A file belongs to the layer with the longest matching
source path. Prints every forbidden include and exits 1 when there is one.

Quennet's forms also read and write changes.ini only through its rules: outside
configeditor/rules/ no source of configeditor/ may call an INI write, delete or erase,
nor spell a section name of configeditor/rules/UChangesIniNames.h in quotes.

Usage: check_layers.py SOURCE_ROOT
"""

import re
import sys
from pathlib import Path

SOURCE_FOLDERS = ("platform", "formats", "talktable", "configeditor")
SOURCE_SUFFIXES = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]*($|/)")
CODE = re.compile(r"`([^`]+)`")

FORMS = "configeditor/"
RULES = "configeditor/rules/"
SECTION_NAMES = RULES + "UChangesIniNames.h"
SECTION_NAME = re.compile(r'constexpr\s+char\s+k\w*Section\[\]\s*=\s*"([^"]+)"')
INI_CHANGE = re.compile(r"\b(WriteString|WriteInteger|WriteBool|DeleteKey|EraseSection|"
                        r"PutKeysFirst)\s*\(")
COMMENT = re.compile(r"//.*$")


class Layer:
    def __init__(self, sources, target, qt, allowed):
        self.sources = sources
        self.target = target
        self.qt = qt
        self.allowed = allowed

    def holds(self, path):
        if self.sources.endswith("/"):
            return path.startswith(self.sources)
        return path.rsplit(".", 1)[0] == self.sources


def read_layers(architecture):
    """The rows of the table under "## Layers"."""
    lines = architecture.read_text(encoding="utf-8").splitlines()
    try:
        start = lines.index("## Layers")
    except ValueError:
        sys.exit(f"{architecture}: no '## Layers' section")
    layers = []
    for line in lines[start + 1 :]:
        if line.startswith("## "):
            break
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if len(cells) != 4 or not line.lstrip().startswith("|"):
            continue
        sources, targets, qt = CODE.findall(cells[0]), CODE.findall(cells[1]), cells[2]
        if not sources or not targets or qt not in ("yes", "no"):
            continue  # the heading and the rule below it
        layers.append(Layer(sources[0], targets[0], qt == "yes", CODE.findall(cells[3])))
    if not layers:
        sys.exit(f"{architecture}: the '## Layers' table has no rows")
    return layers


def reachable(layers):
    """For each target, every target it may include (itself included)."""
    direct = {layer.target: set(layer.allowed) for layer in layers}
    unknown = {name for names in direct.values() for name in names} - direct.keys()
    if unknown:
        sys.exit("the layer table names unknown targets: " + ", ".join(sorted(unknown)))
    closure = {}
    for target in direct:
        seen, pending = {target}, list(direct[target])
        while pending:
            name = pending.pop()
            if name not in seen:
                seen.add(name)
                pending.extend(direct[name])
        closure[target] = seen
    return closure


def layer_of(layers, path):
    matching = [layer for layer in layers if layer.holds(path)]
    return max(matching, key=lambda layer: len(layer.sources), default=None)


def rules_faults(root, path, text, section_names):
    """The INI changes and quoted section names of a Quennet form outside its rules."""
    if not path.startswith(FORMS) or path.startswith(RULES):
        return []
    faults = []
    for number, line in enumerate(text.splitlines(), 1):
        code = COMMENT.sub("", line)
        if match := INI_CHANGE.search(code):
            faults.append(f"{path}:{number}: calls {match.group(1)}; "
                          "forms change changes.ini only through configeditor/rules/")
        for name in section_names:
            if f'"{name}"' in code:
                faults.append(f'{path}:{number}: spells the section name "{name}"; '
                              f"use its constant of {SECTION_NAMES}")
    return faults


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    layers = read_layers(root / "docs" / "ARCHITECTURE.md")
    closure = reachable(layers)
    section_names = SECTION_NAME.findall((root / SECTION_NAMES).read_text(encoding="utf-8"))
    if not section_names:
        sys.exit(f"{SECTION_NAMES}: no section names found")
    faults = []
    checked = 0
    for folder in SOURCE_FOLDERS:
        for file in sorted((root / folder).rglob("*")):
            if file.suffix not in SOURCE_SUFFIXES:
                continue
            path = file.relative_to(root).as_posix()
            layer = layer_of(layers, path)
            if layer is None:
                faults.append(f"{path}: belongs to no layer of the table")
                continue
            checked += 1
            text = file.read_text(errors="replace")
            faults.extend(rules_faults(root, path, text, section_names))
            for number, line in enumerate(text.splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                bracket, header = match.groups()
                where = f"{path}:{number}: {layer.target} includes {header}"
                if bracket == "<":
                    if QT_HEADER.match(header) and not layer.qt:
                        faults.append(f"{where}, a Qt header, but {layer.target} is Qt-free")
                    continue
                if not (root / header).is_file():
                    faults.append(f"{where}: not a root-relative path")
                    continue
                used = layer_of(layers, header)
                if used is None or used.target not in closure[layer.target]:
                    owner = used.target if used else "no layer"
                    faults.append(f"{where}, which belongs to {owner}; "
                                  f"{layer.target} may include only "
                                  + ", ".join(sorted(closure[layer.target])))
    for fault in faults:
        print(fault)
    print(f"{checked} files checked against {len(layers)} layers: "
          + (f"{len(faults)} fault" + "s" * (len(faults) > 1) if faults
             else "no forbidden include, no INI change outside Quennet's rules"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
