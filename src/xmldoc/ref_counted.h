// The reference count shared by the objects that the XML document layers hand out.
#ifndef L3XML_XMLDOC_REF_COUNTED_H
#define L3XML_XMLDOC_REF_COUNTED_H

#include <atomic>

namespace l3xml {
namespace dom {

// Counts the references to an object; it is made with one, for the caller to Attach, and deletes
// itself when the last one is released.
template <class Interface>
class RefCounted : public Interface {
 public:
  unsigned long AddRef() override { return ++references_; }
  unsigned long Release() override {
    const unsigned long left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  RefCounted() = default;
  // Whether the caller's reference is the only one: an object that only its maker still holds
  // may be reused instead of a new one being made.
  bool heldOnce() const { return references_.load(std::memory_order_acquire) == 1; }

 private:
  std::atomic<unsigned long> references_{1};
};

}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_REF_COUNTED_H
