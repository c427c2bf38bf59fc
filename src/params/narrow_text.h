// The cut that converting a text of the XML service into a fixed narrow buffer makes.
#ifndef L3XML_PARAMS_NARROW_TEXT_H
#define L3XML_PARAMS_NARROW_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace l3xml {
namespace params {

// Texts of parameter files pass through a 500-character buffer: at most 499 characters stay.
inline constexpr std::size_t kConvertedTextLimit = 499;

// Cuts text to at most limit bytes without splitting a character.
std::string cutText(const std::string& text, std::size_t limit = kConvertedTextLimit);
// The same cut, as a view of text.
std::string_view cutView(std::string_view text, std::size_t limit = kConvertedTextLimit);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_NARROW_TEXT_H
