// Characters, references and names, checked in one pass over each value: a run of ordinary
// characters is skipped by a table lookup per byte, and only the bytes that a kind of content
// must look at stop it.
#include "xmldoc/pugixml/content_checks.h"

#include <cstdint>
#include <cstring>

#include "xmldoc/parse_codes.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

using Byte = unsigned char;

struct StopTable {
  bool stops[256];
};

// The bytes that end a run: the terminating null, the controls that no document may hold,
// bytes beyond ASCII (whose sequence is checked), and the markup characters of the content.
constexpr StopTable stopTable(Content content) {
  StopTable table{};
  for (int c = 0; c < 256; ++c) table.stops[c] = c < 0x20 ? c != '\t' && c != '\n' && c != '\r' : c >= 0x80;
  if (content == Content::kText) table.stops[Byte('&')] = table.stops[Byte(']')] = true;
  if (content == Content::kAttribute) table.stops[Byte('&')] = table.stops[Byte('<')] = true;
  if (content == Content::kComment) table.stops[Byte('-')] = true;
  return table;
}

constexpr StopTable kTextStops = stopTable(Content::kText);
constexpr StopTable kAttributeStops = stopTable(Content::kAttribute);
constexpr StopTable kCommentStops = stopTable(Content::kComment);
constexpr StopTable kOtherStops = stopTable(Content::kCdata);

// The bytes of a name that need a look: the end, a colon, and bytes beyond ASCII.
constexpr StopTable nameStopTable() {
  StopTable table{};
  for (int c = 0; c < 256; ++c) table.stops[c] = c == 0 || c == ':' || c >= 0x80;
  return table;
}
constexpr StopTable kNameStops = nameStopTable();

bool isContinuation(Byte b) { return (b & 0xC0) == 0x80; }

// The length of the UTF-8 sequence at s when it is well formed and an XML character (no
// surrogate, U+FFFE or U+FFFF); 0 otherwise. Stops reading at the first byte that does not fit,
// so never reads past a terminating null.
std::size_t characterLength(const Byte* s) {
  const Byte lead = s[0];
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return isContinuation(s[1]) ? 2 : 0;
  if (lead < 0xF0) {
    if (!isContinuation(s[1]) || !isContinuation(s[2])) return 0;
    if ((lead == 0xE0 && s[1] < 0xA0) || (lead == 0xED && s[1] >= 0xA0)) return 0;
    return lead == 0xEF && s[1] == 0xBF && s[2] >= 0xBE ? 0 : 3;
  }
  if (lead >= 0xF5 || !isContinuation(s[1]) || !isContinuation(s[2]) || !isContinuation(s[3])) return 0;
  return (lead == 0xF0 && s[1] < 0x90) || (lead == 0xF4 && s[1] >= 0x90) ? 0 : 4;
}

std::uint32_t codeOf(const Byte* s, std::size_t length) {
  if (length == 1) return s[0];
  std::uint32_t code = s[0] & (0xFFu >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) code = code << 6 | (s[i] & 0x3Fu);
  return code;
}

std::size_t writeUtf8(std::uint32_t code, Byte* out) {
  if (code < 0x80) {
    out[0] = static_cast<Byte>(code);
    return 1;
  }
  const std::size_t length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  for (std::size_t i = length - 1; i > 0; --i, code >>= 6) out[i] = static_cast<Byte>(0x80 | (code & 0x3F));
  out[0] = static_cast<Byte>(((0xFF00u >> length) & 0xFF) | code);
  return length;
}

bool isXmlCharacter(std::uint32_t code) {
  return code == '\t' || code == '\n' || code == '\r' || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool isAsciiLetter(std::uint32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The name characters of XML 1.0, fifth edition; ':' is left to the caller.
bool isNameStart(std::uint32_t c) {
  if (c < 0x80) return isAsciiLetter(c) || c == '_';
  return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
         (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNamePart(std::uint32_t c) {
  return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 || (c >= 0x300 && c <= 0x36F) ||
         c == 0x203F || c == 0x2040;
}

// Entity names as pugixml reads names: ASCII name characters and any byte beyond ASCII.
bool isNameByte(Byte c) {
  return isAsciiLetter(c) || c == '_' || c == ':' || c >= 0x80 || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

int digitValue(Byte c, bool hexadecimal) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hexadecimal) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool declaresEntity(std::string_view subset, std::string_view name) {
  constexpr std::string_view kKeyword = "<!ENTITY";
  for (std::size_t at = subset.find(kKeyword); at != std::string_view::npos; at = subset.find(kKeyword, at + 1)) {
    std::size_t from = at + kKeyword.size();
    while (from < subset.size() && (subset[from] == ' ' || subset[from] == '\t' || subset[from] == '\n')) ++from;
    const std::size_t end = from + name.size();
    if (subset.compare(from, name.size(), name) == 0 && end < subset.size() && !isNameByte(Byte(subset[end]))) {
      return true;
    }
  }
  return false;
}

// Resolves the reference at in (its '&'): moves in past it and writes what it stands for at
// out, moving out past that. kOk or the code of what is wrong with it.
Status resolveReference(Byte*& in, Byte*& out, std::string_view subset) {
  Byte* s = in + 1;
  if (*s == '#') {
    const bool hexadecimal = s[1] == 'x';
    s += hexadecimal ? 2 : 1;
    const Byte* digits = s;
    std::uint32_t code = 0;
    for (int digit; (digit = digitValue(*s, hexadecimal)) >= 0; ++s) {
      if (code <= 0x10FFFF) code = code * (hexadecimal ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (s == digits || *s != ';') return hexadecimal ? kParseBadHexadecimal : kParseBadDecimal;
    if (!isXmlCharacter(code)) return kParseBadUnicode;
    in = s + 1;
    out += writeUtf8(code, out);
    return kOk;
  }
  if (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\r') return kParseUnexpectedWhitespace;
  if (!isNameByte(*s) || (*s >= '0' && *s <= '9') || *s == '-' || *s == '.') return kParseBadNameStart;
  while (isNameByte(*s)) ++s;
  if (*s != ';') return kParseMissingSemicolon;
  const std::string_view name(reinterpret_cast<const char*>(in + 1), static_cast<std::size_t>(s - in - 1));
  static const struct {
    std::string_view name;
    Byte character;
  } kPredefined[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& entity : kPredefined) {
    if (entity.name == name) {
      *out++ = entity.character;
      in = s + 1;
      return kOk;
    }
  }
  if (!declaresEntity(subset, name)) return kParseUndefinedEntity;
  const std::size_t length = static_cast<std::size_t>(s + 1 - in);
  std::memmove(out, in, length);
  out += length;
  in = s + 1;
  return kOk;
}

}  // namespace

std::optional<ContentFault> checkContent(char* value, Content content, std::string_view subset) {
  const bool* stops = content == Content::kText        ? kTextStops.stops
                      : content == Content::kAttribute ? kAttributeStops.stops
                      : content == Content::kComment   ? kCommentStops.stops
                                                       : kOtherStops.stops;
  const Status badCharacter = content == Content::kAttribute ? kParseBadCharInString : kParseBadCharData;
  Byte* const start = reinterpret_cast<Byte*>(value);
  Byte* in = start;
  Byte* out = start;  // behind in once a reference has been replaced
  const auto fault = [start](Status code, const Byte* at) {
    return ContentFault{code, static_cast<std::size_t>(at - start)};
  };
  for (;;) {
    const Byte* run = in;
    while (!stops[*in]) ++in;
    if (out != run) std::memmove(out, run, static_cast<std::size_t>(in - run));
    out += in - run;
    const Byte c = *in;
    if (c == '\0') break;
    std::size_t length = 1;  // bytes taken as they are
    if (c >= 0x80) {
      length = characterLength(in);
      if (length == 0) return fault(badCharacter, in);
    } else if (c == '&') {
      Byte* const at = in;
      if (const Status code = resolveReference(in, out, subset)) return fault(code, at);
      continue;
    } else if (c == ']') {
      if (in[1] == ']' && in[2] == '>') return fault(kParseCdataEndInText, in);
    } else if (c == '<') {
      return fault(kParseBadCharInString, in);
    } else if (c == '-') {
      if (in[1] == '-' || in[1] == '\0') return fault(kParseCommentSyntax, in);
    } else {
      return fault(badCharacter, in);
    }
    if (out != in) std::memmove(out, in, length);
    in += length;
    out += length;
  }
  if (out != in) *out = '\0';
  return std::nullopt;
}

// pugixml has read the name: its ASCII characters are name characters and the first is none of
// a digit, '-' or '.'. What is left are the colons and the characters beyond ASCII.
Status nameFault(const char* name) {
  const Byte* s = reinterpret_cast<const Byte*>(name);
  const Byte* local = s;  // the first character of the name, then of its local part
  bool colon = false;
  for (;;) {
    while (!kNameStops.stops[*s]) ++s;
    if (*s == '\0') break;
    if (*s == ':') {
      if (colon) return kParseMultipleColons;
      if (s == local) return kParseBadNameStart;
      colon = true;
      local = ++s;
      if (*s != '\0' && *s < 0x80 && *s != ':' && !isNameStart(*s)) return kParseBadNameStart;
      continue;
    }
    const std::size_t length = characterLength(s);
    const bool first = s == local;
    if (length == 0 || !(first ? isNameStart(codeOf(s, length)) : isNamePart(codeOf(s, length)))) {
      return first ? kParseBadNameStart : kParseBadNameChar;
    }
    s += length;
  }
  return s == local ? kParseBadNameChar : kOk;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
