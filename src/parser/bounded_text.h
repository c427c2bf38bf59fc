// Appending to a fixed character buffer without ever writing past it.
#ifndef L3XML_PARSER_BOUNDED_TEXT_H
#define L3XML_PARSER_BOUNDED_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace l3xml {
namespace parser {

// The capacity of the flattening's buffers: 4095 characters and the terminating NUL.
inline constexpr std::size_t kTextBufferSize = 4096;

// A NUL-terminated text in a caller's buffer of Size characters; appends that do not fit are cut.
template <std::size_t Size>
class BoundedText {
 public:
  // Starts an empty text in buffer.
  explicit BoundedText(char (&buffer)[Size]) : buffer_(buffer) { buffer_[0] = '\0'; }
  // Goes on after the text that buffer already holds.
  BoundedText(char (&buffer)[Size], std::size_t keptLength) : buffer_(buffer), length_(keptLength) {}

  void append(std::string_view text) {
    const std::size_t room = Size - 1 - length_;
    const std::size_t take = text.size() < room ? text.size() : room;
    if (take < text.size()) cut_ = true;
    text.copy(buffer_ + length_, take);
    length_ += take;
    buffer_[length_] = '\0';
  }
  // Appends text with every space character (0x20) left out.
  void appendWithoutSpaces(std::string_view text) {
    for (char c : text) {
      if (c != ' ') append(std::string_view(&c, 1));
    }
  }
  std::size_t length() const { return length_; }
  // True once an append did not fit whole.
  bool cut() const { return cut_; }

 private:
  char* buffer_;
  std::size_t length_ = 0;
  bool cut_ = false;
};

// A text as it would stand in a buffer of kTextBufferSize characters: at most 4095 of them.
inline std::string fitToTextBuffer(std::string text) {
  if (text.size() > kTextBufferSize - 1) text.resize(kTextBufferSize - 1);
  return text;
}

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_BOUNDED_TEXT_H
