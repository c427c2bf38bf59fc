#!/usr/bin/env python3
"""The differential test's templates: RRC-like trees with random layout, markup, references and
encodings, and malformed ones that carry one fault each. Seeded, so every run makes the same bytes.

    generate.py FOLDER
"""
import os
import sys

WELL_FORMED = 256
MALFORMED = 64

MESSAGES = ["RRCConnectionSetup", "ActiveSetUpdate", "CellUpdateConfirm", "RRCConnectionRelease"]
SECTIONS = ["c1", "r3", "optIntegrityCheckInfo", "rb-InformationSetupList", "dl-CommonInformation"]
FIELDS = ["rrc-TransactionIdentifier", "n-308", "releaseCause", "sf128", "rb-Identity",
          "utran-DRX-CycleLengthCoeff", "messageAuthenticationCode", "activationTime"]
# Leaf contents; characters an encoding lacks become references when encoded. Texts keep to the
# characters of windows-1252, which the Windows backend's narrow texts can hold.
VALUES = ["px_RRC_TransactionId", "0", "17", "0 1 1 0 1", "  5 ", "\n\t7\n", "a &amp; b",
          "&lt;x&gt; &quot;q&quot; &apos;", "&#65;&#x42;", "caf\u00e9", "&#233;&#8364;", "line&#13;\nnext",
          "<![CDATA[ raw <x> & ]]>", "<!-- note -->9", "<?pi data?>3", "t1<b>x</b>t2", "it's \"quoted\"",
          "a > b", "a\tb", "\u20ac 12", "x<![CDATA[]]>", "", "\u00fc \u00df"]
ATTRIBUTES = [" id=\"3\"", " note=\"a&amp;b&#9;c\"", " t='say \"x\"'", " v=\"a\tb\nc\"",
              " e=\"caf\u00e9 &#8364; \u03a9\"", " cr=\"&#13;\""]
# One fault each, in a leaf's place (bytes: some are not UTF-8).
FAULTS = [b"x & y", b"&;", b"&foo;", b"&nbsp;", b"&amp x", b"&#0;", b"&#1;", b"&#xD800;", b"&#x110000;",
          b"&#xFFFE;", b"&#xZZ;", b"&#12a;", b"a\x01-", b"a]]>b", b"<!-- a -- b -->", b"<!-- a --->",
          b"caf\xc3", b"\xff", b"\xed\xa0\x80", b"\xc0\xaf", b"\xef\xbf\xbe", b"<b\xc3\x97s>x</b\xc3\x97s>",
          b"<\xc3\x97t/>", b"<q:b/>", b"<b></c>", b"<b>", b"<e a=\"x<y\"/>", b"<e a=\"x&y\"/>",
          b"<e a=\"\x01\"/>", b"<e a='1' a='2'/>", b"<?xml version=\"1.0\"?>"]
# Faults in place of the declaration.
DECLARATION_FAULTS = [b"<?xml encoding=\"UTF-8\"?>", b"<?xml version=\"2.0\"?>",
                      b"<?xml version=\"1.0\" standalone=\"maybe\"?>",
                      b"<?xml version=\"1.0\" encoding=\"x-nonsense\"?>",
                      b"<?xml version=\"1.0\" encoding=\"UTF-16\"?>",
                      b"<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>"]
# (declared name, how the bytes are made): none, UTF-8, UTF-8 with its mark, and three others.
NONE, UTF8, UTF8_MARK, WINDOWS_1252, LATIN1, UTF16 = range(6)
ENCODING_NAMES = ["", "UTF-8", "UTF-8", "windows-1252", "ISO-8859-1", "UTF-16"]
ENCODINGS = [NONE, NONE, UTF8, UTF8, UTF8, WINDOWS_1252, LATIN1, UTF16, UTF8_MARK]
MARK = "\x02"  # where the fault goes


class Random:
    """splitmix64: the same sequence on every platform."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        mask = (1 << 64) - 1
        self.state = (self.state + 0x9E3779B97F4A7C15) & mask
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & mask
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & mask
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def chance(self, percent):
        return self.below(100) < percent

    def pick(self, items):
        return items[self.below(len(items))]


def encoded(text, encoding):
    """text in the encoding, with what it cannot hold as character references."""
    if encoding in (NONE, UTF8):
        return text.encode()
    if encoding == UTF8_MARK:
        return b"\xef\xbb\xbf" + text.encode()
    if encoding == UTF16:
        return b"\xff\xfe" + text.encode("utf-16-le")
    out = bytearray()
    for char in text:
        code = ord(char)
        byte = code if code < 0x100 else 0
        if encoding == WINDOWS_1252:
            byte = {0x20AC: 0x80, 0x2019: 0x92}.get(code, byte)
        out += bytes([byte]) if byte else b"&#%d;" % code
    return bytes(out)


class Template:
    def __init__(self, seed, fault=None, in_declaration=False):
        self.random = Random(seed)
        self.fault = fault
        self.in_declaration = in_declaration
        self.indent = self.random.pick(["", "  ", "    ", "\t"])
        self.line_end = "\r\n" if self.random.chance(30) else "\n"
        self.prefixed = self.random.chance(25)
        # A fault's bytes are UTF-8.
        if fault is None:
            self.encoding = self.random.pick(ENCODINGS)
        else:
            self.encoding = NONE if self.random.chance(50) else UTF8
        self.fault_placed = False
        self.text = ""

    def bytes(self):
        r = self.random
        name = ENCODING_NAMES[self.encoding]
        if self.fault is not None and self.in_declaration:
            self.text += MARK
        elif name or r.chance(50):
            self.text += "<?xml version=\"1.0\""
            if name:
                self.text += " encoding=\"%s\"" % name
            if r.chance(15):
                self.text += " standalone=\"yes\""
            self.text += "?>"
        if self.text:
            self.text += self.line_end
        if r.chance(20):
            self.text += "<!-- generated -->" + self.line_end
        root = r.pick(MESSAGES)
        if r.chance(10):
            self.text += "<?app version=\"2\"?>" + self.line_end
        self.element(root, 0)
        self.text += self.line_end
        if r.chance(15):
            self.text += "<!-- end -->" + self.line_end
        before, marked, after = self.text.partition(MARK)
        if not marked:
            return encoded(self.text, self.encoding)
        return encoded(before, self.encoding) + self.fault + encoded(after, self.encoding)

    def element(self, local, depth):
        r = self.random
        name = "p:" + local if self.prefixed and r.chance(50) else local
        self.text += "<" + name
        if depth == 0 and self.prefixed:
            self.text += " xmlns:p=\"urn:rrc\""
        if r.chance(15):
            self.text += r.pick(ATTRIBUTES)
        if self.prefixed and r.chance(10):
            self.text += " p:k=\"1\""
        if depth >= 4 or (depth >= 2 and r.chance(45)):
            if r.chance(8):
                self.text += "/>"
            else:
                self.text += ">" + self.leaf_content() + "</" + name + ">"
            return
        self.text += ">"
        for _ in range(1 + r.below(4)):
            self.break_line(depth + 1)
            self.element(r.pick(SECTIONS) if depth == 0 else r.pick(FIELDS), depth + 1)
        if depth == 0 and self.fault_due(100):
            self.text += MARK
        self.break_line(depth)
        self.text += "</" + name + ">"

    def leaf_content(self):
        return MARK if self.fault_due(40) else self.random.pick(VALUES)

    def fault_due(self, percent):
        if self.fault is None or self.in_declaration or self.fault_placed or not self.random.chance(percent):
            return False
        self.fault_placed = True
        return True

    def break_line(self, depth):
        """An indented layout, or one line with a blank now and then."""
        if not self.indent:
            if self.random.chance(20):
                self.text += " "
            return
        if self.random.chance(5):
            self.text += "  "
        self.text += self.line_end + self.indent * depth


def templates():
    for i in range(WELL_FORMED):
        yield "v%03d.xml" % i, Template(1000 + i).bytes()
    faults = [(fault, False) for fault in FAULTS] + [(fault, True) for fault in DECLARATION_FAULTS]
    for i in range(MALFORMED):
        fault, in_declaration = faults[i % len(faults)]
        yield "m%03d.xml" % i, Template(5000 + i, fault, in_declaration).bytes()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate.py FOLDER")
    os.makedirs(sys.argv[1], exist_ok=True)
    count = 0
    for name, data in templates():
        with open(os.path.join(sys.argv[1], name), "wb") as out:
            out.write(data)
        count += 1
    print("%d templates in %s" % (count, sys.argv[1]))


if __name__ == "__main__":
    main()
