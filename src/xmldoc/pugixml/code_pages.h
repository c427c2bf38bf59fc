// The character encodings a document may declare that this backend reads and writes, and the
// single-byte code pages among them.
#ifndef L3XML_XMLDOC_PUGIXML_CODE_PAGES_H
#define L3XML_XMLDOC_PUGIXML_CODE_PAGES_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace l3xml {
namespace dom {
namespace pugixml_backend {

enum class Charset { kUtf8, kUtf16, kWindows1252, kLatin1, kLatin9, kAscii };

// The charset an encoding name stands for, ignoring case; nothing for a name this backend
// cannot read.
std::optional<Charset> charsetNamed(std::string_view name);

inline bool isSingleByte(Charset charset) { return charset != Charset::kUtf8 && charset != Charset::kUtf16; }

// Appends the text of a single-byte charset to utf8, decoded. A byte the charset does not
// define becomes U+FFFF, which no document may hold, so that the load refuses it.
void decodeSingleByte(std::string_view bytes, Charset charset, std::string& utf8);

// The byte that stands for code in a single-byte charset; nothing when it has none.
std::optional<char> byteFor(std::uint32_t code, Charset charset);

}  // namespace pugixml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PUGIXML_CODE_PAGES_H
