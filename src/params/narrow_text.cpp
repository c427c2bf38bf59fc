// The cut that converting a text of the XML service into a fixed narrow buffer makes.
#include "params/narrow_text.h"

#include "platform/narrow_text.h"

namespace l3xml {
namespace params {

std::string_view cutView(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  // In UTF-8, step back over continuation bytes to the start of the character that does not fit.
  while (platform::kNarrowTextIsUtf8 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string cutText(const std::string& text, std::size_t limit) { return std::string(cutView(text, limit)); }

}  // namespace params
}  // namespace l3xml
