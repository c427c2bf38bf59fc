// Access to the private members that the library exports with its classes, for tests. It uses
// the rule that an explicit instantiation may name private members; each accessor also proves
// that the member exists with exactly this type.
#ifndef L3XML_TESTS_PRIVATE_MEMBERS_H
#define L3XML_TESTS_PRIVATE_MEMBERS_H

#include <l3xml/l3xml.h>

namespace l3xml_test {

template <class Tag, typename Tag::type Member>
struct PrivateMember {
  friend typename Tag::type memberOf(Tag) { return Member; }
};

template <class Class, class Type>
using MemberPointer = Type Class::*;

#define L3XML_PRIVATE_MEMBER(Tag, Class, Name, ...) \
  struct Tag {                                      \
    using type = MemberPointer<Class, __VA_ARGS__>; \
    friend type memberOf(Tag);                      \
  };                                                \
  template struct PrivateMember<Tag, &Class::Name>

L3XML_PRIVATE_MEMBER(FinalString, CXMLParser, finalString, char[4096]);
L3XML_PRIVATE_MEMBER(XmlDom, CXMLParser, pXMLDom, l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument>);
L3XML_PRIVATE_MEMBER(DomFromCom, CXMLParser, DomFromCOM, long(l3xml::dom::IXMLDOMDocument**));
L3XML_PRIVATE_MEMBER(LoadXmlToDom, CXMLParser, LoadXmlToDom, long(const char*, l3xml::dom::IXMLDOMDocument*));
L3XML_PRIVATE_MEMBER(CheckLoad, CXMLParser, CheckLoad, long(l3xml::dom::IXMLDOMDocument*));
L3XML_PRIVATE_MEMBER(ReportError, CXMLParser, ReportError, long(l3xml::dom::IXMLDOMParseError*));
L3XML_PRIVATE_MEMBER(CopyFile, CXMLParser, copyFile, void(std::string, std::string));
L3XML_PRIVATE_MEMBER(IsFilePresentInTempFolder, CXMLParser, IsFilePresentInTempFolder, long(std::string&));
L3XML_PRIVATE_MEMBER(IsFileReadOnly, CXMLParser, IsFileReadOnly, bool(const std::string&));
L3XML_PRIVATE_MEMBER(RemoveNewLineChar, CXMLParser, removeNewLineChar, long(std::string));
L3XML_PRIVATE_MEMBER(GetPixitValueForParser, CXMLParser, getPixitValueForParser, long(std::string, std::string&));
L3XML_PRIVATE_MEMBER(CreateMultiMapofPixitFile, CXMLParser, createMultiMapofPixitFile, void(std::string, std::string));
L3XML_PRIVATE_MEMBER(ReaderDomFromCom, ParameterFileReader, DomFromCOM, l3xml::dom::IXMLDOMDocument*());

#undef L3XML_PRIVATE_MEMBER

// Calls a private member function: call<CopyFile>(parser, from, to).
template <class Tag, class Object, class... Args>
decltype(auto) call(Object& object, Args&&... args) {
  return (object.*memberOf(Tag{}))(std::forward<Args>(args)...);
}

// A private data member: member<FinalString>(parser).
template <class Tag, class Object>
auto& member(Object& object) {
  return object.*memberOf(Tag{});
}

}  // namespace l3xml_test

#endif  // L3XML_TESTS_PRIVATE_MEMBERS_H
