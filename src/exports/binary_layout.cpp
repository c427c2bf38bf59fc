// The exported classes and records are laid out by the host's compiler from the public header, so
// their size and alignment are part of the binary interface. A change to their members fails the
// build here rather than a host at run time.
#include <l3xml/l3xml.h>

namespace {

template <class T, std::size_t Size, std::size_t Alignment>
constexpr bool laidOut() {
  return sizeof(T) == Size && alignof(T) == Alignment;
}

}  // namespace

#if defined(__GLIBCXX__) && defined(__x86_64__)  // Linux and 64-bit Windows with libstdc++
static_assert(laidOut<CXMLParser, 4288, 8>(), "CXMLParser's layout changed");
static_assert(laidOut<ParameterFileReader, 800, 8>(), "ParameterFileReader's layout changed");
static_assert(laidOut<ParamStructure, 368, 8>(), "ParamStructure's layout changed");
static_assert(laidOut<ParamStructure_Sync, 208, 8>(), "ParamStructure_Sync's layout changed");
#elif defined(__GLIBCXX__) && defined(__i386__)  // 32-bit Windows with libstdc++
static_assert(laidOut<CXMLParser, 4200, 4>(), "CXMLParser's layout changed");
static_assert(laidOut<ParameterFileReader, 536, 4>(), "ParameterFileReader's layout changed");
static_assert(laidOut<ParamStructure, 264, 4>(), "ParamStructure's layout changed");
static_assert(laidOut<ParamStructure_Sync, 144, 4>(), "ParamStructure_Sync's layout changed");
#endif
