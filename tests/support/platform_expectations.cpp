// What tests expect that differs by platform.
#include "platform_expectations.h"

#include <algorithm>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace l3xml_test {

#if defined(_WIN32)
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Drops every run of whitespace that stands between a '>' and a '<' or at either end.
std::string markupOf(const std::string& text) {
  std::string markup;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = at;
    while (end < text.size() && isBlank(text[end])) ++end;
    const bool betweenTags = (at == 0 || text[at - 1] == '>') && (end == text.size() || text[end] == '<');
    if (end > at && !betweenTags) markup.append(text, at, end - at);
    if (end == text.size()) break;
    markup += text[end];
    at = end + 1;
  }
  return markup;
}

}  // namespace
#endif

std::string nativePath(const std::string& path) {
#if defined(_WIN32)
  std::string native = path;
  std::replace(native.begin(), native.end(), '/', '\\');
  return native;
#else
  return path;
#endif
}

bool underEmulatedService() {
#if defined(_WIN32)
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

std::string narrowText(const std::string& utf8) {
#if defined(_WIN32)
  if (utf8.empty()) return utf8;
  const int length = static_cast<int>(utf8.size());
  const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), wide);
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), wide, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
#else
  return utf8;
#endif
}

std::string comparableSave(const std::string& saved) {
#if defined(_WIN32)
  if (underEmulatedService()) return markupOf(saved);
  std::string text;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (!(saved[i] == '\r' && i + 1 < saved.size() && saved[i + 1] == '\n')) text += saved[i];
  }
  return text;
#else
  return saved;
#endif
}

}  // namespace l3xml_test
