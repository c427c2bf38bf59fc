// UTF-8 reading and writing of single code points, for the encodings at the file's edges.
#ifndef L3XML_XMLDOC_PUGIXML_UTF8_H
#define L3XML_XMLDOC_PUGIXML_UTF8_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

inline void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point that starts at text[at], moving at past it. A byte that starts no valid
// sequence stands for itself, so that nothing is ever lost.
inline std::uint32_t nextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const int length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length <= 1 || at + length > text.size()) {
    ++at;
    return lead;
  }
  std::uint32_t code = lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return lead;
    }
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  at += length;
  return code;
}

inline bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_UTF8_H
