// Applying the association file: each PIXIT value written into the message files it is bound to.
#include "params/association_file.h"

#include <cctype>

#include "logging/logging.h"
#include "params/value_conversion.h"

namespace dom = l3xml::dom;
namespace logging = l3xml::logging;

namespace l3xml {

dom::ComPtr<dom::IXMLDOMDocument> associationDocument;

namespace params {

std::string binaryDigits(const std::string& decimal, std::size_t width) {
  // Read as atol reads: leading blanks, a sign, then digits up to the first other character.
  std::size_t at = 0;
  while (at < decimal.size() && std::isspace(static_cast<unsigned char>(decimal[at]))) ++at;
  bool negative = false;
  if (at < decimal.size() && (decimal[at] == '+' || decimal[at] == '-')) negative = decimal[at++] == '-';
  unsigned long long number = 0;
  for (; at < decimal.size() && std::isdigit(static_cast<unsigned char>(decimal[at])); ++at) {
    const unsigned digit = static_cast<unsigned>(decimal[at] - '0');
    number = number > (~0ULL - digit) / 10 ? ~0ULL : number * 10 + digit;  // saturates
  }
  std::string digits(width, '0');
  if (negative) return digits;
  for (std::size_t position = width; position > 0 && number != 0; --position, number >>= 1) {
    digits[position - 1] = (number & 1) != 0 ? '1' : '0';
  }
  return digits;
}

}  // namespace params
}  // namespace l3xml

namespace {

// The four binding values, carried from binding to binding for the whole run.
struct Binding {
  std::string nodeName;
  std::string typeName;
  std::string fileName;
  std::string cellName;

  void read(const std::string& name, const std::string& value) {
    if (name == "Name") {
      nodeName = value;
    } else if (name == "Type") {
      typeName = value;
    } else if (name == "AssociationField") {
      fileName = value;
    } else if (name == "CellName") {
      cellName = value;
    }
  }
};

// The attributes of an element as (name, value) pairs; false for nodes that have none (not
// elements).
bool attributesOf(dom::IXMLDOMNode& node, std::vector<std::pair<std::string, std::string>>& attributes) {
  attributes.clear();
  dom::ComPtr<dom::IXMLDOMNamedNodeMap> map;
  long count = 0;
  if (dom::failed(node.get_attributes(map)) || !map || dom::failed(map->get_length(count))) return false;
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> attribute;
    std::string name;
    std::string value;
    if (dom::failed(map->get_item(i, attribute)) || !attribute) continue;
    (void)attribute->get_nodeName(name);
    (void)attribute->get_nodeValue(value);
    attributes.emplace_back(name, value);
  }
  return true;
}

// The value a binding writes: the raw PIXIT value converted by the binding type's base type.
// An unconverted value is what the entry's earlier bindings made of it.
std::string convertedValue(const ParamStructure& type, const std::string& raw, const std::string& converted) {
  if (type.basetype == "Boolean") return l3xml::params::booleanNumber(raw);
  if (type.basetype == "Enum") return l3xml::params::enumNumber(type, raw, converted);
  if (type.basetype == "Binary") return l3xml::params::binaryDigits(raw, type.maxValue.size());
  if (type.basetype == "Integer") return raw;
  return converted;
}

// Visits the nodes of a node's child list in order.
template <class Visit>
void forEachChild(dom::IXMLDOMNode& node, Visit visit) {
  dom::ComPtr<dom::IXMLDOMNodeList> children;
  long count = 0;
  if (dom::failed(node.get_childNodes(children)) || !children || dom::failed(children->get_length(count))) return;
  for (long i = 0; i < count; ++i) {
    dom::ComPtr<dom::IXMLDOMNode> child;
    if (!dom::failed(children->get_item(i, child)) && child) visit(*child);
  }
}

void applyBinding(Binding& binding, const std::string& parameterName, const std::string& raw, std::string& converted,
                  const std::map<std::string, ParamStructure>& typeList) {
  if (!binding.cellName.empty()) {
    setLowCellName_WCDMA(binding.cellName.c_str());
  } else {
    logging::error({"The Cell name is not present in Association file . Corresponding to the pixit name : ",
                    parameterName, " and the naode name : ", binding.nodeName});
  }
  const auto type = typeList.find(binding.typeName);
  if (type != typeList.end()) converted = convertedValue(type->second, raw, converted);

  if (binding.fileName.empty() || binding.nodeName.empty() || converted.empty()) {
    logging::error({" AssociationFileParse :: Some Attribute is missing. The SetVal Failed : the file name is: ",
                    binding.fileName, " node  name is: ", binding.nodeName, " the value is :", converted});
    return;
  }
  // A fresh parser for every value: no parser state lives on between bindings.
  std::string fileName = binding.fileName;
  std::string nodeName = binding.nodeName;
  std::string value = converted;
  CXMLParser parser;
  if (!parser.SetVal(fileName, nodeName.data(), value.data())) {
    logging::error({" AssociationFileParse :: The SetVal Failed : the file name is: ", binding.fileName,
                    " node  name is: ", binding.nodeName, " the value is :", converted});
  }
}

}  // namespace

long AssociationFileParse(const std::string& fileName, std::map<std::string, ParamStructure> typeList,
                          std::map<std::string, ParamStructure> pixitList) {
  ParameterFileReader reader;  // makes the document on the first run
  const std::string path = getFrameworkCompleteFilePath_WCDMA(fileName);
  if (path.empty()) {
    logging::error(
        {"Association file is not found . The Path returned by getFrameworkCompleteFilePath_WCDMA is empty: ", path,
         "."});
    return 1;
  }
  logging::debug({"AssociationFileParse :: Function Started "});

  if (!l3xml::associationDocument) {
    l3xml::associationDocument.Attach(reader.DomFromCOM());
    if (!l3xml::associationDocument) return 1;
  }
  bool loaded = false;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string rootName;
  if (dom::failed(l3xml::associationDocument->load(path, loaded)) || !loaded ||
      dom::failed(l3xml::associationDocument->get_documentElement(root)) || !root ||
      dom::failed(root->get_nodeName(rootName))) {
    l3xml::associationDocument.Reset();  // the next run makes a new one
    return 1;
  }

  dom::ComPtr<dom::IXMLDOMNodeList> entries;
  if (dom::failed(root->get_childNodes(entries)) || !entries) {
    logging::error({"AssociationFileParse: get_childNodes Failed"});
    return 1;
  }
  long entryCount = 0;
  if (dom::failed(entries->get_length(entryCount))) {
    logging::error({"AssociationFileParse: get_length Failed"});
    return 1;
  }

  Binding binding;
  std::vector<std::pair<std::string, std::string>> attributes;
  for (long e = 0; e < entryCount; ++e) {
    dom::ComPtr<dom::IXMLDOMNode> entry;
    // Nodes that are not elements, and entries without attributes, bind nothing.
    if (dom::failed(entries->get_item(e, entry)) || !entry || !attributesOf(*entry, attributes) || attributes.empty()) {
      continue;
    }
    if (attributes.size() > 1) {
      logging::error({"AssociationFileParse ::  Failed .The no of Attribute are more then one. The Pixit name is: ",
                      attributes[0].second});
      return 1;
    }
    const std::string& attributeName = attributes[0].first;
    const std::string parameterName = attributes[0].second;
    logging::debug({"AssociationFileParse : ", parameterName});
    if (attributeName != "Name") {
      logging::debug({"The Attribute named ", attributeName, " is wrong in Association File "});
      continue;
    }
    const auto parameter = pixitList.find(parameterName);
    if (parameter == pixitList.end()) {
      logging::error({"AssociationFileParse :: the pixit parameter: ", parameterName,
                      " is not present in the pixit parameter File"});
      continue;
    }
    const std::string raw = parameter->second.value;
    std::string converted = raw;
    forEachChild(*entry, [&](dom::IXMLDOMNode& bindingNode) {
      if (!attributesOf(bindingNode, attributes)) return;  // not an element
      for (const auto& [name, value] : attributes) binding.read(name, value);
      applyBinding(binding, parameterName, raw, converted, typeList);
    });
  }
  return 0;
}
