#!/usr/bin/env python3
"""Counts the member functions of the classes declared in the board's and the
features' headers and prints those over a limit, largest first.

Every declared member function counts once: constructors and destructors,
overrides, operators, inline bodies and each overload (a const and a
non-const accessor are two). Nested classes are counted on their own.
Macros such as wxDECLARE_EVENT_TABLE() are not functions.

    scripts/count-members.py               # classes over 40
    scripts/count-members.py --limit 30
    scripts/count-members.py --all         # every class with its count
"""

import argparse
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["kit", "board", "watchlist", "commands", "filter", "colours", "export", "alert", "dialogs"]
DEFAULT_LIMIT = 40

IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
CLASS_HEAD = re.compile(r"\b(class|struct)\s+(?:\w+\s+)*?([A-Za-z_]\w*)\s*(?:final\s*)?(?::[^;{]*)?$", re.S)
NOT_FUNCTIONS = {"using", "typedef", "friend", "static_assert", "enum", "class", "struct", "union", "template"}
KEYWORDS_BEFORE_PAREN = {"decltype", "sizeof", "alignof", "noexcept", "alignas", "operator", "return", "throw"}


def strip_comments_and_literals(text):
    """Blanks comments, string and character literals, keeping line breaks."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)

    def blank(match):
        found = match.group(0)
        if found.startswith(("//", "/*")):
            return re.sub(r"[^\n]", " ", found)
        return found[0] + " " * (len(found) - 2) + found[-1]

    text = pattern.sub(blank, text)
    # Preprocessor lines declare nothing we count.
    return re.sub(r"^[ \t]*#[^\n]*(?:\\\n[^\n]*)*", lambda m: re.sub(r"[^\n]", " ", m.group(0)), text, flags=re.M)


def matching(text, start, opening, closing):
    """Index just past the bracket closing the one at `start`."""
    depth = 0
    for index in range(start, len(text)):
        if text[index] == opening:
            depth += 1
        elif text[index] == closing:
            depth -= 1
            if depth == 0:
                return index + 1
    return len(text)


def is_function(declaration):
    """True when a member declaration (body and initialisers cut off) declares a function."""
    words = IDENTIFIER.findall(declaration)
    if not words or words[0] in NOT_FUNCTIONS:
        return False
    if "operator" in words:
        return True
    # The first parenthesis at the top level, before any '=' or '{', follows the name.
    depth = 0
    for index, char in enumerate(declaration):
        if char in "<[":
            depth += 1
        elif char in ">]":
            depth -= 1
        elif depth == 0 and char in "={":
            return False
        elif depth == 0 and char == "(":
            name = re.search(r"(~?\s*[A-Za-z_]\w*)\s*$", declaration[:index])
            if not name:
                return False
            name = name.group(1).replace(" ", "")
            if name in KEYWORDS_BEFORE_PAREN:
                return False
            # Declaration macros (wxDECLARE_EVENT_TABLE, DECLARE_CLASS...) stand alone.
            if re.fullmatch(r"(wx)?[A-Z][A-Z0-9_]*", name) and declaration[:index].strip() == name:
                return False
            return True
    return False


def past_semicolon(text, position, end):
    """Index just past the next ';' from `position`, or `end`."""
    found = text.find(";", position, end)
    return end if found < 0 else found + 1


def count_body(text, start, end, name, classes):
    """Counts the functions of the class whose body spans text[start:end]; nested classes go to `classes`."""
    count = 0
    position = start
    declaration_start = start
    while position < end:
        char = text[position]
        if char == ";":
            declaration = text[declaration_start:position].strip()
            if is_function(declaration):
                count += 1
            position += 1
            declaration_start = position
        elif char == "{":
            head = text[declaration_start:position].strip()
            body_end = matching(text, position, "{", "}")
            nested = CLASS_HEAD.search(head)
            if nested and head.split()[0] in ("class", "struct", "template") and "(" not in head:
                count_body(text, position + 1, body_end - 1, f"{name}::{nested.group(2)}", classes)
            if nested or head.split()[:1] in (["enum"], ["union"]):
                # A nested type may declare a member after its body: `struct {..} m_x;`
                position = past_semicolon(text, body_end, end)
                declaration_start = position
                continue
            # A member with a brace initialiser (`int m_x{0};`) is no function.
            if is_function(head):
                count += 1
                position = body_end
                if position < end and text[position:].lstrip().startswith(";"):
                    position = text.index(";", position) + 1
                declaration_start = position
                continue
            position = body_end
        elif char == ":" and re.search(r"\b(public|protected|private)\s*$", text[declaration_start:position]):
            position += 1
            declaration_start = position
        else:
            position += 1
    classes.append((count, name))


def count_file(path):
    text = strip_comments_and_literals(path.read_text(encoding="utf-8"))
    classes = []
    for match in re.finditer(r"\b(class|struct)\s+([A-Za-z_]\w*)[^;{()]*\{", text):
        head = text[match.start():match.end() - 1]
        found = CLASS_HEAD.search(head)
        if not found:
            continue
        # Only classes at namespace level; nested ones are reached from their outer class.
        before = text[:match.start()]
        depth = before.count("{") - before.count("}")
        namespaces = len(re.findall(r"\bnamespace\b[^{;]*\{", before)) - 0
        if depth > namespaces:
            continue
        open_brace = match.end() - 1
        count_body(text, open_brace + 1, matching(text, open_brace, "{", "}") - 1, found.group(2), classes)
    return classes


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--limit", type=int, default=DEFAULT_LIMIT, help="print classes over this many functions")
    parser.add_argument("--all", action="store_true", help="print every class")
    parser.add_argument("folders", nargs="*", default=FOLDERS, help="folders to look in")
    args = parser.parse_args()

    found = []
    for folder in args.folders:
        for header in sorted((ROOT / folder).glob("**/*.h")):
            for count, name in count_file(header):
                found.append((count, name, header.relative_to(ROOT)))
    found.sort(key=lambda item: (-item[0], str(item[1])))
    over = [item for item in found if args.all or item[0] > args.limit]
    for count, name, header in over:
        print(f"{count:4d}  {name}  ({header})")
    if not args.all:
        print(f"{len(over)} of {len(found)} classes over {args.limit} member functions", file=sys.stderr)


if __name__ == "__main__":
    main()
