// The message parser object: construction, copying and destruction.
#include <cstring>

#include <l3xml/l3xml.h>

#include "platform/com_runtime.h"
#include "xmldoc/xml_dom.h"

CXMLParser::CXMLParser() {
  // Zeroed so that a copy never carries indeterminate bytes; ParseXML rewrites it before use.
  std::memset(finalString, 0, sizeof finalString);
  optionalStack.clear();
  choiceStack.clear();
  sequenceStack.clear();
  childCountStack.clear();
  nodeListStack.clear();
  sequenceIndexStack.clear();
  l3xml::platform::initializeCom();
}

// Memberwise: the copy shares both documents and every node list, each with a reference of its
// own. The copy does not initialise COM; its destructor uninitialises once like any other.
CXMLParser::CXMLParser(const CXMLParser& other)
    : spareString(other.spareString),
      optionalStack(other.optionalStack),
      choiceStack(other.choiceStack),
      sequenceStack(other.sequenceStack),
      childCountStack(other.childCountStack),
      nodeListStack(other.nodeListStack),
      sequenceIndexStack(other.sequenceIndexStack),
      pXMLDom(other.pXMLDom),
      pXMLFragmentDom(other.pXMLFragmentDom) {
  std::memcpy(finalString, other.finalString, sizeof finalString);
}

CXMLParser& CXMLParser::operator=(const CXMLParser& other) {
  if (this != &other) {
    std::memcpy(finalString, other.finalString, sizeof finalString);
    spareString = other.spareString;
    optionalStack = other.optionalStack;
    choiceStack = other.choiceStack;
    sequenceStack = other.sequenceStack;
    childCountStack = other.childCountStack;
    nodeListStack = other.nodeListStack;
    sequenceIndexStack = other.sequenceIndexStack;
    pXMLDom = other.pXMLDom;
    pXMLFragmentDom = other.pXMLFragmentDom;
  }
  return *this;
}

// Every reference is released before COM is shut down for the thread.
CXMLParser::~CXMLParser() {
  pXMLDom.Reset();
  pXMLFragmentDom.Reset();
  optionalStack.clear();
  choiceStack.clear();
  sequenceStack.clear();
  childCountStack.clear();
  nodeListStack.clear();
  sequenceIndexStack.clear();
  l3xml::platform::uninitializeCom();
}
