// The comparison of the two backends' dumps. A file whose dumps differ passes only when the
// allowance rules below, applied in order, make them equal. Each rule is a difference of the
// Windows side that msxml-dom.md records, and cites its line: where wine's emulation departs from
// the service as recorded (which the pugixml backend follows), or where narrow texts differ.
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

#include "differential.h"
#include "xmldoc/pugixml/code_pages.h"
#include "xmldoc/pugixml/utf8.h"

namespace l3xml_differential {
namespace {

using l3xml::dom::pugixml_backend::appendUtf8;
using l3xml::dom::pugixml_backend::Charset;
using Lines = std::vector<std::string>;

struct Rule {
  const char* name;
  const char* citation;
  // Rewrites both dumps of one file so that what the rule allows no longer differs.
  std::function<void(Lines& native, Lines& windows)> normalise;
};

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
bool isText(const std::string& line) { return startsWith(line, "node ") || startsWith(line, "put "); }
bool anyLine(const std::string&) { return true; }

// Where both sides hold a line of the kind and they differ, native takes windows's line when
// explains(native, windows) says the difference is the allowed one.
void explainLines(Lines& native, Lines& windows, bool (*kind)(const std::string&),
                  const std::function<bool(const std::string&, const std::string&)>& explains) {
  for (std::size_t i = 0; i < native.size() && i < windows.size(); ++i) {
    if (native[i] != windows[i] && kind(native[i]) && explains(native[i], windows[i])) native[i] = windows[i];
  }
}

// The length of the escaped character at text[at]: \u{..}, \xhh, \c or one byte.
std::size_t unitLength(const std::string& text, std::size_t at) {
  if (text[at] != '\\' || at + 1 >= text.size()) return 1;
  if (text[at + 1] == 'u') return text.find('}', at) - at + 1;
  return text[at + 1] == 'x' ? 4 : 2;
}

// Whether windows is native with some spaces left out.
bool withSpacesDropped(const std::string& native, const std::string& windows) {
  std::size_t j = 0;
  for (std::size_t i = 0; i < native.size(); ++i) {
    if (j < windows.size() && native[i] == windows[j]) {
      ++j;
    } else if (native[i] != ' ') {
      return false;
    }
  }
  return j == windows.size();
}

// Whether the two differ only where native has a character beyond windows-1252 and windows one
// character in its place.
bool narrowedOnly(const std::string& native, const std::string& windows) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (; i < native.size() && j < windows.size(); i += unitLength(native, i), j += unitLength(windows, j)) {
    if (native.compare(i, unitLength(native, i), windows, j, unitLength(windows, j)) == 0) continue;
    if (native.compare(i, 3, "\\u{") != 0) return false;
    const auto code = static_cast<std::uint32_t>(std::stoul(native.substr(i + 3), nullptr, 16));
    if (byteFor(code, Charset::kWindows1252)) return false;
  }
  return i == native.size() && j == windows.size();
}

// The bytes that escaped() wrote.
std::string unescaped(const std::string& text) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char kind = text[at] == '\\' && at + 1 < text.size() ? text[++at] : '\0';
    if (kind == '\0') {
      bytes += text[at];
    } else if (kind == 'x') {
      bytes += static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16));
      at += 2;
    } else if (kind == 'u') {
      appendUtf8(bytes, static_cast<std::uint32_t>(std::stoul(text.substr(at + 2), nullptr, 16)));
      at = text.find('}', at);
    } else {
      bytes += kind == 'n' ? '\n' : kind == 'r' ? '\r' : kind == 't' ? '\t' : kind;
    }
  }
  return bytes;
}

// Applies change to the saved bytes of a dump ("save <status> <bytes>").
void changeSaved(Lines& lines, const std::function<std::string(const std::string&)>& change) {
  constexpr std::size_t kBytesFrom = 14;
  for (std::string& line : lines) {
    if (startsWith(line, "save ") && line.size() >= kBytesFrom) {
      line = line.substr(0, kBytesFrom) + escaped(change(unescaped(line.substr(kBytesFrom))), false);
    }
  }
}

// Character references to characters beyond ASCII replaced by the characters.
std::string referencesResolved(const std::string& text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t end = text.find(';', at);
    if (text.compare(at, 2, "&#") == 0 && end != std::string::npos &&
        std::isdigit(static_cast<unsigned char>(text[at + 2]))) {
      const unsigned long code = std::stoul(text.substr(at + 2, end - at - 2));
      if (code >= 0x80) {
        appendUtf8(out, static_cast<std::uint32_t>(code));
        at = end;
        continue;
      }
    }
    out += text[at];
  }
  return out;
}

// Saved bytes decoded from the encoding they declare (UTF-16 after its mark) into UTF-8.
std::string decodedSave(const std::string& bytes) {
  std::string utf8;
  if (startsWith(bytes, "\xFF\xFE")) {
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
      appendUtf8(utf8, static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
    }
    return utf8;
  }
  const std::size_t name = bytes.find("encoding=\"");
  const std::size_t end = bytes.find("?>");
  if (name == std::string::npos || name > end) return bytes;
  const auto charset =
      l3xml::dom::pugixml_backend::charsetNamed(bytes.substr(name + 10, bytes.find('"', name + 10) - name - 10));
  if (!charset || !isSingleByte(*charset)) return bytes;
  l3xml::dom::pugixml_backend::decodeSingleByte(bytes, *charset, utf8);
  return utf8;
}

// The markup alone: whitespace between tags and at either end dropped.
std::string markupOf(const std::string& text) {
  std::string markup;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = at;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t' || text[end] == '\r' || text[end] == '\n'))
      ++end;
    const bool betweenTags = (at == 0 || text[at - 1] == '>') && (end == text.size() || text[end] == '<');
    if (!betweenTags) markup.append(text, at, end - at);
    if (end < text.size()) markup += text[end];
    at = end + 1;
  }
  return markup;
}

const std::vector<Rule>& rules() {
  static const std::vector<Rule> kRules = {
      // Wine gives one code for every parse error, and no position.
      {"parse-error-code",
       "msxml-dom.md line 12: \"otherwise a negative code. Windows codes to use: 0xC00CE558 empty file or no root "
       "element; ...\"",
       [](Lines& native, Lines& windows) {
         if (native.size() >= 2 && windows.size() >= 2 && startsWith(native[0], "load 00000001 error C00CE") &&
             windows[0] == "load 00000001 error 80004005") {
           native[0] = windows[0];
           native[1] = windows[1];
         }
       }},
      // Wine loads the document, dropping the prefix.
      {"undeclared-prefix-loaded",
       "msxml-dom.md line 10: \"A prefixed name whose prefix is not declared makes the load fail on Windows\"",
       [](Lines& native, Lines& windows) {
         if (!native.empty() && !windows.empty() && native[0] == "load 00000001 error C00CE01D" &&
             windows[0] == "load ok") {
           native = windows = {"undeclared prefix"};
         }
       }},
      // Wine lists an element's namespace declarations after its other attributes.
      {"namespace-declarations-last", "msxml-dom.md line 39: \"Attribute maps: document order\"",
       [](Lines& native, Lines&) {
         for (std::size_t i = 0, end = 1; i < native.size(); i = end, end = i + 1) {
           if (!startsWith(native[i], "attr ")) continue;
           const std::string element = native[i].substr(0, native[i].find(' ', 5) + 1);  // "attr <path> "
           while (end < native.size() && startsWith(native[end], element.c_str())) ++end;
           std::stable_partition(native.begin() + i, native.begin() + end, [&](const std::string& line) {
             return line.compare(element.size(), 5, "xmlns") != 0;
           });
         }
       }},
      // A character that the system code page (windows-1252 here) lacks becomes another one.
      {"code-page-narrowing",
       "msxml-dom.md line 62: \"Windows: texts cross the service as UTF-16 and are narrowed through the system code "
       "page (CP_ACP)\"",
       [](Lines& native, Lines& windows) { explainLines(native, windows, anyLine, narrowedOnly); }},
      // Wine strips the blanks that end a CDATA section of a child element that follows other text.
      {"cdata-end-stripped", "msxml-dom.md line 19: \"Characters from a CDATA section are never stripped.\"",
       [](Lines& native, Lines& windows) {
         explainLines(native, windows, isText, [](const std::string& a, const std::string& b) {
           return startsWith(a, b.c_str()) && a.find_first_not_of(' ', b.size()) == std::string::npos;
         });
       }},
      // Wine joins no space for whitespace that opens an element after text.
      {"whitespace-run-not-joined",
       "msxml-dom.md line 18: \"Each run of remembered whitespace (section 1) between two pieces of text becomes "
       "**one** space, however long the run and across element boundaries and empty elements.\"",
       [](Lines& native, Lines& windows) { explainLines(native, windows, isText, withSpacesDropped); }},
      // Wine writes UTF-8 whatever the declaration says.
      {"save-in-utf8",
       "msxml-dom.md line 58: \"Output encoding: UTF-8 without a byte-order mark when none is declared; the "
       "declared encoding otherwise.\"",
       [](Lines& native, Lines& windows) {
         changeSaved(native, [](const std::string& bytes) { return referencesResolved(decodedSave(bytes)); });
         changeSaved(windows, referencesResolved);
       }},
      // Wine writes no line ends or indentation between tags.
      {"save-without-layout",
       "msxml-dom.md line 53: \"Where remembered whitespace stood between nodes (section 1), a line end and one TAB "
       "per depth\"",
       [](Lines& native, Lines& windows) {
         changeSaved(native, markupOf);
         changeSaved(windows, markupOf);
       }},
  };
  return kRules;
}

// The dump of each file, by file name.
std::map<std::string, Lines> filesOf(const std::string& dump) {
  std::map<std::string, Lines> files;
  std::istringstream in(dump);
  Lines* current = nullptr;
  for (std::string line; std::getline(in, line);) {
    if (startsWith(line, "file ")) {
      current = &files[line.substr(5)];
    } else if (current != nullptr) {
      current->push_back(line);
    }
  }
  return files;
}

std::string firstDifference(const Lines& native, const Lines& windows) {
  for (std::size_t i = 0; i < native.size() || i < windows.size(); ++i) {
    const std::string a = i < native.size() ? native[i] : "(end)";
    const std::string b = i < windows.size() ? windows[i] : "(end)";
    if (a != b) return "line " + std::to_string(i + 1) + "\n  native:  " + a + "\n  windows: " + b;
  }
  return "";
}

}  // namespace

bool compareDumps(const std::string& native, const std::string& windows, std::ostream& out) {
  const std::map<std::string, Lines> nativeFiles = filesOf(native);
  const std::map<std::string, Lines> windowsFiles = filesOf(windows);
  std::vector<int> applied(rules().size(), 0);
  int differing = 0;
  int failures = 0;
  for (const auto& [name, lines] : nativeFiles) {
    const auto other = windowsFiles.find(name);
    if (other == windowsFiles.end()) {
      out << "FAIL " << name << ": no dump from the Windows backend\n";
      ++failures;
      continue;
    }
    Lines a = lines;
    Lines b = other->second;
    if (a == b) continue;
    ++differing;
    std::vector<bool> changed(rules().size(), false);
    for (std::size_t i = 0; i < rules().size() && a != b; ++i) {
      const Lines before = a;
      const Lines beforeWindows = b;
      rules()[i].normalise(a, b);
      changed[i] = a != before || b != beforeWindows;
    }
    if (a != b) {
      out << "FAIL " << name << ": " << firstDifference(a, b) << '\n';
      ++failures;
      continue;
    }
    for (std::size_t i = 0; i < rules().size(); ++i) applied[i] += changed[i] ? 1 : 0;
  }
  out << nativeFiles.size() << " files, " << differing << " differ, " << failures << " not explained\n";
  for (std::size_t i = 0; i < rules().size(); ++i) {
    out << "  " << rules()[i].name << ": " << applied[i] << " (" << rules()[i].citation << ")\n";
  }
  return failures == 0 && windowsFiles.size() == nativeFiles.size();
}

}  // namespace l3xml_differential
