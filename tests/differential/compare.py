#!/usr/bin/env python3
"""Compares the two backends' dumps of the differential test. A file whose dumps differ passes
only when the allowance rules below, applied in order, make them equal. Each rule is a known
difference of the Windows side: where wine's emulation departs from the service as the pugixml
backend follows it, or where narrow texts differ.

    compare.py NATIVE_DUMP WINDOWS_DUMP
"""
import re
import sys

SINGLE_BYTE = {"windows-1252": "cp1252", "iso-8859-1": "latin-1", "iso_8859-1": "latin-1",
               "iso8859-1": "latin-1", "latin1": "latin-1", "l1": "latin-1", "iso-8859-15": "iso8859-15",
               "iso_8859-15": "iso8859-15", "latin-9": "iso8859-15", "us-ascii": "ascii", "ascii": "ascii"}


def is_text(line):
    return line.startswith("node ") or line.startswith("put ")


def explain_lines(native, windows, kind, explains):
    """Where both sides hold a line of the kind and they differ, native takes windows's line when
    explains(native, windows) says the difference is the allowed one."""
    for i in range(min(len(native), len(windows))):
        if native[i] != windows[i] and kind(native[i]) and explains(native[i], windows[i]):
            native[i] = windows[i]


def units(text):
    """The escaped characters of a dump's text: \\u{..}, \\xhh, \\c or one byte."""
    return re.findall(r"\\u\{[0-9A-F]*\}|\\x..|\\.|.", text, re.S)


def with_spaces_dropped(native, windows):
    """Whether windows is native with some spaces left out."""
    j = 0
    for char in native:
        if j < len(windows) and char == windows[j]:
            j += 1
        elif char != " ":
            return False
    return j == len(windows)


def narrowed_only(native, windows):
    """Whether the two differ only where native has a character beyond windows-1252 and windows
    one character in its place."""
    a, b = units(native), units(windows)
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if x == y:
            continue
        if not x.startswith("\\u{"):
            return False
        try:
            chr(int(x[3:-1], 16)).encode("cp1252")
            return False
        except (UnicodeEncodeError, ValueError):
            pass
    return True


def escaped(data):
    """Bytes as a dump holds saved bytes."""
    out = []
    for byte in data:
        char = chr(byte)
        if char in "\\|":
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append({"\n": "\\n", "\r": "\\r", "\t": "\\t"}.get(char, "\\x%02X" % byte))
    return "".join(out)


def unescaped(text):
    """The bytes that a dump's escaped text stands for."""
    out = bytearray()
    for unit in units(text):
        if unit.startswith("\\x"):
            out.append(int(unit[2:], 16))
        elif unit.startswith("\\u{"):
            out += chr(int(unit[3:-1], 16)).encode("utf-8", "surrogatepass")
        elif unit.startswith("\\") and len(unit) == 2:
            out += {"n": b"\n", "r": b"\r", "t": b"\t"}.get(unit[1], unit[1].encode())
        else:
            out += unit.encode("latin-1")
    return bytes(out)


def change_saved(lines, change):
    """Applies change to the saved bytes of a dump ("save <status> <bytes>")."""
    start = len("save 00000000 ")
    for i, line in enumerate(lines):
        if line.startswith("save ") and len(line) >= start:
            lines[i] = line[:start] + escaped(change(unescaped(line[start:])))


def references_resolved(data):
    """Character references to characters beyond ASCII replaced by the characters."""
    out = bytearray()
    at = 0
    while at < len(data):
        end = data.find(b";", at)
        digits = re.match(rb"&#([0-9]+)", data[at:at + 12])
        if digits and end != -1 and 0x80 <= int(digits.group(1)) <= 0x10FFFF:
            out += chr(int(digits.group(1))).encode("utf-8", "surrogatepass")
            at = end + 1
            continue
        out.append(data[at])
        at += 1
    return bytes(out)


def decoded_save(data):
    """Saved bytes decoded from the encoding they declare (UTF-16 after its mark) into UTF-8."""
    if data.startswith(b"\xff\xfe"):
        return data[2:len(data) & ~1].decode("utf-16-le", "surrogatepass").encode("utf-8", "surrogatepass")
    name = re.search(rb'encoding="([^"]*)"', data)
    end = data.find(b"?>")
    if name is None or (end != -1 and name.start() > end):
        return data
    codec = SINGLE_BYTE.get(name.group(1).decode("latin-1").lower())
    if codec is None:
        return data
    return "".join(bytes([byte]).decode(codec, "replace").replace("\ufffd", "\uffff") for byte in data).encode()


def markup_of(data):
    """The markup alone: whitespace between tags and at either end dropped."""
    def keep(match):
        before = data[match.start() - 1:match.start()]
        after = data[match.end():match.end() + 1]
        between = before in (b"", b">") and after in (b"", b"<")
        return b"" if between else match.group(0)
    return re.sub(rb"[ \t\r\n]+", keep, data)


def parse_error_code(native, windows):
    # Wine gives one code for every parse error, and no position.
    if (len(native) >= 2 and len(windows) >= 2 and native[0].startswith("load 00000001 error C00CE")
            and windows[0] == "load 00000001 error 80004005"):
        native[0:2] = windows[0:2]


def undeclared_prefix_loaded(native, windows):
    # Wine loads a document whose prefix is not declared, dropping the prefix.
    if native[:1] == ["load 00000001 error C00CE01D"] and windows[:1] == ["load ok"]:
        native[:] = windows[:] = ["undeclared prefix"]


def namespace_declarations_last(native, windows):
    # Wine lists an element's namespace declarations after its other attributes.
    i = 0
    while i < len(native):
        end = i + 1
        if native[i].startswith("attr "):
            element = native[i][:native[i].find(" ", 5) + 1]  # "attr <path> "
            while end < len(native) and native[end].startswith(element):
                end += 1
            group = native[i:end]
            native[i:end] = ([line for line in group if line[len(element):len(element) + 5] != "xmlns"] +
                             [line for line in group if line[len(element):len(element) + 5] == "xmlns"])
        i = end


def code_page_narrowing(native, windows):
    # A character that the system code page (windows-1252 here) lacks becomes another one.
    explain_lines(native, windows, lambda line: True, narrowed_only)


def cdata_end_stripped(native, windows):
    # Wine strips the blanks that end a CDATA section of a child element that follows other text.
    explain_lines(native, windows, is_text, lambda a, b: a.startswith(b) and not a[len(b):].strip(" "))


def whitespace_run_not_joined(native, windows):
    # Wine joins no space for whitespace that opens an element after text.
    explain_lines(native, windows, is_text, with_spaces_dropped)


def save_in_utf8(native, windows):
    # Wine writes UTF-8 whatever the declaration says.
    change_saved(native, lambda data: references_resolved(decoded_save(data)))
    change_saved(windows, references_resolved)


def save_without_layout(native, windows):
    # Wine writes no line ends or indentation between tags.
    change_saved(native, markup_of)
    change_saved(windows, markup_of)


RULES = [parse_error_code, undeclared_prefix_loaded, namespace_declarations_last, code_page_narrowing,
         cdata_end_stripped, whitespace_run_not_joined, save_in_utf8, save_without_layout]


def files_of(path):
    """The dump of each file, by file name."""
    files, current = {}, None
    with open(path, encoding="latin-1") as dump:
        lines = dump.read().split("\n")
    if lines and lines[-1] == "":  # the dump ends with a line end
        lines.pop()
    for line in lines:
        if line.startswith("file "):
            current = files.setdefault(line[5:], [])
        elif current is not None:
            current.append(line)
    return files


def first_difference(native, windows):
    for i in range(max(len(native), len(windows))):
        a = native[i] if i < len(native) else "(end)"
        b = windows[i] if i < len(windows) else "(end)"
        if a != b:
            return "line %d\n  native:  %s\n  windows: %s" % (i + 1, a, b)
    return ""


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: compare.py NATIVE_DUMP WINDOWS_DUMP")
    native_files, windows_files = files_of(sys.argv[1]), files_of(sys.argv[2])
    applied = [0] * len(RULES)
    differing = failures = 0
    for name in sorted(native_files):
        if name not in windows_files:
            print("FAIL %s: no dump from the Windows backend" % name)
            failures += 1
            continue
        a, b = list(native_files[name]), list(windows_files[name])
        if a == b:
            continue
        differing += 1
        changed = [False] * len(RULES)
        for i, rule in enumerate(RULES):
            if a == b:
                break
            before = (list(a), list(b))
            rule(a, b)
            changed[i] = (a, b) != before
        if a != b:
            print("FAIL %s: %s" % (name, first_difference(a, b)))
            failures += 1
            continue
        applied = [count + flag for count, flag in zip(applied, changed)]
    print("%d files, %d differ, %d not explained" % (len(native_files), differing, failures))
    for rule, count in zip(RULES, applied):
        print("  %s: %d" % (rule.__name__.replace("_", "-"), count))
    return 0 if failures == 0 and len(windows_files) == len(native_files) else 1


if __name__ == "__main__":
    sys.exit(main())
