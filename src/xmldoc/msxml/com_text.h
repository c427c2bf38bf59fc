// Texts across the service boundary: owned BSTR and VARIANT values, and the conversions between
// the library's narrow texts and the service's wide ones through the system code page.
#ifndef L3XML_XMLDOC_MSXML_COM_TEXT_H
#define L3XML_XMLDOC_MSXML_COM_TEXT_H

#include <string>

#include "xmldoc/msxml/service.h"

namespace l3xml {
namespace dom {
namespace msxml_backend {

// A BSTR freed exactly once, when the owner goes.
class OwnedBstr {
 public:
  OwnedBstr() = default;
  ~OwnedBstr() { ::SysFreeString(text_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;

  BSTR get() const { return text_; }
  // For an out argument: frees what is held first.
  BSTR* out() {
    ::SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  // Hands the string to a VARIANT that will free it.
  BSTR release() {
    BSTR text = text_;
    text_ = nullptr;
    return text;
  }

 private:
  BSTR text_ = nullptr;
};

// A VARIANT cleared exactly once, when the owner goes.
class OwnedVariant {
 public:
  OwnedVariant() { ::VariantInit(&value_); }
  ~OwnedVariant() { ::VariantClear(&value_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;

  ::VARIANT& get() { return value_; }
  ::VARIANT* out() {
    ::VariantClear(&value_);
    return &value_;
  }

 private:
  ::VARIANT value_;
};

// A new BSTR holding text widened from the system code page; kOutOfMemory when it cannot be made.
Status makeBstr(const std::string& text, OwnedBstr& bstr);
// A VARIANT of type VT_BSTR holding text, as the service takes a path.
Status makePathVariant(const std::string& path, OwnedVariant& variant);
// The BSTR narrowed to the system code page (all of it, embedded nulls included); empty for null.
std::string narrow(BSTR text);

}  // namespace msxml_backend
}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_MSXML_COM_TEXT_H
