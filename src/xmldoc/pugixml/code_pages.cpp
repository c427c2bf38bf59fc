// Encoding names and the single-byte code pages: tables of the characters that differ from
// ISO-8859-1, whose bytes are the first 256 code points.
#include "xmldoc/pugixml/code_pages.h"

#include "xmldoc/pugixml/utf8.h"

namespace l3xml {
namespace dom {
namespace pugixml_backend {

namespace {

// windows-1252 at 0x80-0x9F; its five undefined bytes stand for the C1 controls, as Windows
// decodes them.
constexpr std::uint16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// ISO-8859-15 (Latin-9): the eight bytes that differ from ISO-8859-1.
constexpr struct {
  unsigned char byte;
  std::uint16_t code;
} kLatin9Changes[] = {{0xA4, 0x20AC}, {0xA6, 0x0160}, {0xA8, 0x0161}, {0xB4, 0x017D},
                      {0xB8, 0x017E}, {0xBC, 0x0152}, {0xBD, 0x0153}, {0xBE, 0x0178}};

constexpr std::uint32_t kUndefined = 0xFFFF;

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::uint32_t decoded(unsigned char byte, Charset charset) {
  switch (charset) {
    case Charset::kAscii:
      return kUndefined;
    case Charset::kWindows1252:
      return byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
    case Charset::kLatin9:
      for (const auto& change : kLatin9Changes) {
        if (change.byte == byte) return change.code;
      }
      return byte;
    default:
      return byte;
  }
}

}  // namespace

std::optional<Charset> charsetNamed(std::string_view name) {
  static const struct {
    const char* name;
    Charset charset;
  } kNames[] = {
      {"UTF-8", Charset::kUtf8},         {"UTF8", Charset::kUtf8},         {"UTF-16", Charset::kUtf16},
      {"UTF16", Charset::kUtf16},        {"UCS-2", Charset::kUtf16},       {"windows-1252", Charset::kWindows1252},
      {"ISO-8859-1", Charset::kLatin1},  {"ISO_8859-1", Charset::kLatin1}, {"ISO8859-1", Charset::kLatin1},
      {"latin1", Charset::kLatin1},      {"L1", Charset::kLatin1},         {"ISO-8859-15", Charset::kLatin9},
      {"ISO_8859-15", Charset::kLatin9}, {"Latin-9", Charset::kLatin9},    {"US-ASCII", Charset::kAscii},
      {"ASCII", Charset::kAscii},
  };
  for (const auto& entry : kNames) {
    if (sameIgnoringCase(name, entry.name)) return entry.charset;
  }
  return std::nullopt;
}

void decodeSingleByte(std::string_view bytes, Charset charset, std::string& utf8) {
  utf8.reserve(utf8.size() + bytes.size() + bytes.size() / 8);
  std::size_t run = 0;  // start of the pending run of ASCII bytes
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const unsigned char byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) continue;
    utf8.append(bytes, run, at - run);
    appendUtf8(utf8, decoded(byte, charset));
    run = at + 1;
  }
  utf8.append(bytes, run, bytes.size() - run);
}

std::optional<char> byteFor(std::uint32_t code, Charset charset) {
  if (code < 0x80) return static_cast<char>(code);
  switch (charset) {
    case Charset::kLatin1:
      if (code < 0x100) return static_cast<char>(code);
      break;
    case Charset::kWindows1252:
      if (code >= 0xA0 && code < 0x100) return static_cast<char>(code);
      for (std::uint32_t i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == code) return static_cast<char>(0x80 + i);
      }
      break;
    case Charset::kLatin9:
      for (const auto& change : kLatin9Changes) {
        if (change.code == code) return static_cast<char>(change.byte);
        if (change.byte == code) return std::nullopt;
      }
      if (code < 0x100) return static_cast<char>(code);
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml
