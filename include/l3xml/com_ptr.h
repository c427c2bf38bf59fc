// Reference-counted interface pointer and the XML document interface names the classes hold.
#ifndef L3XML_COM_PTR_H
#define L3XML_COM_PTR_H

#include <cstddef>
#include <string>
#include <utility>

namespace l3xml {
namespace dom {

// The XML document interface of the library (defined inside the library).
class IXMLDOMNode;
class IXMLDOMNodeList;
class IXMLDOMNamedNodeMap;
class IXMLDOMParseError;
class IXMLDOMDocument;

// A save destination as the XML service takes it: a path in a string variant.
struct VARIANT {
  std::string bstrVal;
};

// Owns one counted reference to an interface; copying adds one, destruction releases it.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}  // NOLINT(google-explicit-constructor)
  // Takes a reference of its own to p.
  explicit ComPtr(T* p) noexcept : ptr_(p) { addRef(); }
  ComPtr(const ComPtr& other) noexcept : ptr_(other.ptr_) { addRef(); }
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U>
  ComPtr(const ComPtr<U>& other) noexcept : ptr_(other.Get()) {  // NOLINT(google-explicit-constructor)
    addRef();
  }
  ~ComPtr() { Reset(); }

  ComPtr& operator=(const ComPtr& other) noexcept {
    ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  T* Get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  T& operator*() const noexcept { return *ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }

  // The address of the held pointer, for an out argument that stores an owned reference.
  T** GetAddressOf() noexcept { return &ptr_; }
  T** ReleaseAndGetAddressOf() noexcept {
    Reset();
    return &ptr_;
  }

  // Releases the held reference, if any.
  void Reset() noexcept {
    if (ptr_ != nullptr) {
      T* held = std::exchange(ptr_, nullptr);
      held->Release();
    }
  }
  // Adopts a reference that the caller owns.
  void Attach(T* p) noexcept {
    Reset();
    ptr_ = p;
  }
  // Hands the held reference to the caller.
  T* Detach() noexcept { return std::exchange(ptr_, nullptr); }
  void Swap(ComPtr& other) noexcept { std::swap(ptr_, other.ptr_); }

 private:
  void addRef() const noexcept {
    if (ptr_ != nullptr) ptr_->AddRef();
  }
  T* ptr_ = nullptr;
};

}  // namespace dom
}  // namespace l3xml

#if !defined(_WIN32)
// On Windows these names belong to the platform's own XML service headers.
using l3xml::dom::IXMLDOMDocument;
using l3xml::dom::IXMLDOMNamedNodeMap;
using l3xml::dom::IXMLDOMNode;
using l3xml::dom::IXMLDOMNodeList;
using l3xml::dom::IXMLDOMParseError;
using l3xml::dom::VARIANT;
#endif

#endif  // L3XML_COM_PTR_H
