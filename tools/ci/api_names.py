"""The names the engine's public headers offer, and the names docs/engine-api.md lists.

Usage: api_names.py INCLUDE_DIR DOCUMENT
Exits 1, naming each difference, when a public name is not in the document or the document
lists a name the headers do not offer.

Headers: every class and struct with its public members (where they are introduced; an override
may be listed under the class that overrides it, but need not be), the names declared in the
namespace, and the macros. Constructors and destructors are not names here.

Document: a level-3 heading names a class (`### Director`), or `### Namespace` and
`### Macros`. A bullet that starts with backticked names (`- \`pause\`, \`resume\`: ...`)
lists those names under the heading above it; the bullet may go on over indented lines.
"""

import re
import sys
from pathlib import Path

NAMESPACE = "Namespace"
MACROS = "Macros"

TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<name>[A-Za-z_]\w*)
  | (?P<number>\d[\w.']*)
  | (?P<string>"(?:\\.|[^"\\])*"|'(?:\\.|[^'\\])*')
  | (?P<punct>::|->|<=|>=|==|!=|&&|\|\||<<|[^\s\w])
""", re.X)


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text).replace("\\\n", " ")


def macros_of(text):
    return set(re.findall(r"^\s*#\s*define\s+([A-Za-z_]\w*)", text, flags=re.M))


def tokens_of(text):
    code = "\n".join(line for line in text.splitlines() if not line.lstrip().startswith("#"))
    code = code.replace("NS_CC_BEGIN", "namespace cocos2d {").replace("NS_CC_END", "}")
    return [m.group() for m in TOKEN.finditer(code) if m.lastgroup != "space"]


def skip_balanced(tokens, i, opening, closing):
    """The index after the group opened at tokens[i]."""
    depth = 0
    while i < len(tokens):
        if tokens[i] == opening:
            depth += 1
        elif tokens[i] == closing:
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return i


def top_level(declaration):
    """The declaration with template argument lists and bracketed groups reduced to markers."""
    out = []
    i = 0
    while i < len(declaration):
        token = declaration[i]
        after_name = i > 0 and re.match(r"\w", declaration[i - 1]) and declaration[i - 1] != "operator"
        if token == "<" and (after_name or (i > 0 and declaration[i - 1] == "template")):
            i = skip_balanced(declaration, i, "<", ">")
            out.append("<>")
            continue
        out.append(token)
        i += 1
    return out


def declared_names(declaration, class_names):
    """The names a member or namespace declaration introduces."""
    flat = top_level(declaration)
    if not flat or flat[0] in ("friend", "static_assert") or flat[-2:] == ["=", "delete"]:
        return []
    if "(" in flat or flat[0] == "using":
        name = declared_name(flat, class_names)
        return [name] if name else []
    # Data members and constants, possibly several: `static const Color3B WHITE, YELLOW;`
    names = []
    for part in " ".join(flat).split(" , "):
        words = part.split()
        for stop in ("=", "[", ":", "{"):
            if stop in words[1:]:
                words = words[:words.index(stop, 1)]
        identifiers = [w for w in words if re.match(r"[A-Za-z_]\w*$", w)]
        if identifiers:
            names.append(identifiers[-1])
    return names


def declared_name(flat, class_names):
    """The name a function, function pointer type or alias declaration introduces, or None."""
    if flat[0] == "using":
        return flat[1] if len(flat) > 2 and flat[2] == "=" else None
    if "operator" in flat:
        at = flat.index("operator")
        symbol = flat[at + 1]
        if symbol in ("(", "[") and at + 2 < len(flat):
            symbol += flat[at + 2]
        return "operator" + symbol if not re.match(r"\w", symbol) else "operator " + symbol
    if flat[0] == "typedef" and "(" in flat:
        pointer = [flat[j + 1] for j in range(len(flat) - 1) if flat[j] == "*" and re.match(r"\w", flat[j + 1])]
        return pointer[0] if pointer else None
    if "(" in flat:
        at = flat.index("(")
        name = flat[at - 1] if at > 0 else None
        if name is None or name in class_names or (at > 1 and flat[at - 2] == "~"):
            return None  # constructor, destructor
        return name if re.match(r"[A-Za-z_]\w*$", name) else None
    return None


class HeaderNames:
    """Public names per class, plus the names of the namespace and the macros."""

    def __init__(self):
        self.required = {}  # scope -> names that must be documented
        self.optional = {}  # scope -> overrides, which may be documented

    def add(self, scope, name, override=False):
        target = self.optional if override else self.required
        target.setdefault(scope, set()).add(name)
        self.required.setdefault(scope, set())

    def read(self, text):
        text = strip_comments(text)
        for macro in macros_of(text):
            self.add(MACROS, macro)
        tokens = tokens_of(text)
        self.parse_body(tokens, 0, len(tokens), None, (), True)

    def parse_body(self, tokens, i, end, scope, own_names, public):
        """Reads the declarations in tokens[i:end], the body of a namespace (scope None) or a
        class known by own_names (its constructors' name)."""
        declaration = []
        while i < end:
            token = tokens[i]
            if token == "namespace":
                opening = tokens.index("{", i)
                close = skip_balanced(tokens, opening, "{", "}")
                self.parse_body(tokens, opening + 1, close - 1, None, (), True)
                i = close
                continue
            if scope and token in ("public", "protected", "private", "CC_CONSTRUCTOR_ACCESS") \
                    and i + 1 < end and tokens[i + 1] == ":" and not declaration:
                public = token in ("public", "CC_CONSTRUCTOR_ACCESS")
                i += 2
                continue
            if token == "template" and not declaration:
                i = skip_balanced(tokens, i + 1, "<", ">")
                continue
            if token in ("class", "struct", "enum") and declaration in ([], ["typedef"]):
                i = self.parse_type(tokens, i, end, scope, public, declaration)
                declaration = []
                continue
            if token == "{":
                close = skip_balanced(tokens, i, "{", "}")
                if ")" in declaration or not declaration:
                    # An inline body ends the declaration.
                    self.note(declaration, scope, own_names, public)
                    declaration = []
                    i = close + (1 if close < end and tokens[close] == ";" else 0)
                    continue
                declaration.append("{")  # a braced initialiser
                i = close
                continue
            if token == ";":
                self.note(declaration, scope, own_names, public)
                declaration = []
            else:
                declaration.append(token)
            i += 1

    def note(self, declaration, scope, own_names, public):
        if public and declaration:
            for name in declared_names(declaration, own_names):
                self.add(scope or NAMESPACE, name, override="override" in declaration)

    def parse_type(self, tokens, i, end, scope, public, prefix):
        """Reads a class, struct or enum at tokens[i]; returns the index after it."""
        keyword = tokens[i]
        j = i + 1
        if keyword == "enum" and tokens[j] in ("class", "struct"):
            j += 1
        while re.match(r"CC_[A-Z_]+$", tokens[j]):
            j += 1  # CC_DEPRECATED_ATTRIBUTE, CC_DLL
        name = tokens[j] if re.match(r"[A-Za-z_]\w*$", tokens[j]) else None
        while j < end and tokens[j] not in ("{", ";"):
            j += 1
        if tokens[j] == ";":
            return j + 1  # a forward declaration
        close = skip_balanced(tokens, j, "{", "}")
        after = close
        while after < end and tokens[after] != ";":
            after += 1
        alias = tokens[close] if prefix == ["typedef"] and close < after else None  # typedef struct _x {} X;
        shown = alias or name
        if public and shown:
            self.add(scope or NAMESPACE, shown)
        if keyword != "enum" and public and shown:
            inner = f"{scope}::{shown}" if scope else shown
            self.parse_body(tokens, j + 1, close - 1, inner, {name, alias}, keyword == "struct")
        return after + 1


def header_names(include_dir):
    names = HeaderNames()
    for header in sorted(Path(include_dir).rglob("*.h")):
        names.read(header.read_text())
    return names


def document_names(text):
    listed = {}
    scope = None
    # A bullet goes on over the indented lines below it.
    for line in re.sub(r"\n {2,}(?=\S)", " ", text).splitlines():
        heading = re.match(r"###\s+(\S+)\s*$", line)
        if heading:
            scope = heading.group(1).strip("`")
            listed.setdefault(scope, set())
            continue
        bullet = re.match(r"\s*-\s+((?:`[^`]+`(?:,\s*|\s+and\s+|\s*/\s*)?)+)", line)
        if bullet and scope:
            listed[scope].update(re.findall(r"`([^`]+)`", bullet.group(1)))
    return listed


def differences(headers, listed):
    problems = []
    for scope in sorted(set(headers.required) | set(listed)):
        offered = headers.required.get(scope, set())
        allowed = offered | headers.optional.get(scope, set())
        documented = listed.get(scope, set())
        if scope not in listed:
            problems.append(f"{scope}: offered by the headers, no section in the document")
        if scope not in headers.required:
            problems.append(f"{scope}: a section of the document, offered by no header")
            continue
        problems += [f"{scope}::{n}: offered by the headers, not in the document" for n in sorted(offered - documented)]
        problems += [f"{scope}::{n}: in the document, offered by no header" for n in sorted(documented - allowed)]
    return problems


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    problems = differences(header_names(argv[1]), document_names(Path(argv[2]).read_text()))
    for problem in problems:
        print(problem)
    if not problems:
        print("the document and the public headers list the same names")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
