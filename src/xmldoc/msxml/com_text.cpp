// Narrowing and widening through the system code page (CP_ACP), and the BSTR and VARIANT
// values that carry texts to the service.
#include "xmldoc/msxml/com_text.h"

#include <climits>

namespace l3xml {
namespace dom {
namespace msxml_backend {

Status makeBstr(const std::string& text, OwnedBstr& bstr) {
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return kOutOfMemory;
  const int length = static_cast<int>(text.size());
  const int wide = length == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (length != 0 && wide == 0) return kInvalidArg;
  BSTR* out = bstr.out();
  *out = ::SysAllocStringLen(nullptr, static_cast<UINT>(wide));
  if (*out == nullptr) return kOutOfMemory;
  if (wide != 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, *out, wide);
  return kOk;
}

Status makePathVariant(const std::string& path, OwnedVariant& variant) {
  OwnedBstr text;
  const Status made = makeBstr(path, text);
  if (failed(made)) return made;
  ::VARIANT* out = variant.out();
  out->vt = VT_BSTR;
  out->bstrVal = text.release();
  return kOk;
}

std::string narrow(BSTR text) {
  if (text == nullptr) return std::string();
  const UINT length = ::SysStringLen(text);
  if (length == 0 || length > static_cast<UINT>(INT_MAX)) return std::string();
  const int wide = static_cast<int>(length);
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string narrowed(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, wide, narrowed.data(), bytes, nullptr, nullptr);
  return narrowed;
}

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml
