// Applying the association file: each PIXIT value written into the message files it is bound to.
#ifndef L3XML_PARAMS_ASSOCIATION_FILE_H
#define L3XML_PARAMS_ASSOCIATION_FILE_H

#include <map>
#include <string>

#include <l3xml/l3xml.h>

#include "xmldoc/xml_dom.h"

// Reads the association file found by the lookup and, for every binding, makes the binding's
// cell current, converts the PIXIT value by the binding's type and writes it with SetVal.
// 0 when every entry was visited, 1 when the run stopped early.
long AssociationFileParse(const std::string& fileName, std::map<std::string, ParamStructure> typeList,
                          std::map<std::string, ParamStructure> pixitList);

namespace l3xml {

// The document the association file is loaded into: made by the first run, reused afterwards.
extern dom::ComPtr<dom::IXMLDOMDocument> associationDocument;

namespace params {

// A decimal number written in base two, padded with "0" on the left to width; a number that needs
// more digits keeps its lowest width digits, and a number of 0 or less gives width zeros.
std::string binaryDigits(const std::string& decimal, std::size_t width);

}  // namespace params
}  // namespace l3xml

#endif  // L3XML_PARAMS_ASSOCIATION_FILE_H
