// Applying the association file: each PIXIT value written into the message files it is bound to.
#include "params/association_file.h"

#include <cctype>

#include "logging/logging.h"
#include "params/parameter_document.h"
#include "params/value_conversion.h"
#include "parser/value_setting.h"
#include "paths/framework_paths.h"

namespace l3xml {
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

namespace {

void readBindingAttribute(AssociationBinding& binding, const std::string& name, const std::string& value) {
  if (name == "Name") {
    binding.nodeName = value;
  } else if (name == "Type") {
    binding.typeName = value;
  } else if (name == "AssociationField") {
    binding.fileName = value;
  } else if (name == "CellName") {
    binding.cellName = value;
  }
}

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
  if (type.basetype == "Boolean") return booleanNumber(raw);
  if (type.basetype == "Enum") return enumNumber(type, raw, converted);
  if (type.basetype == "Binary") return binaryDigits(raw, type.maxValue.size());
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

// The run's state, its lists, and what follows it.
struct AssociationRun {
  state::ModuleState& state;
  const std::map<std::string, ParamStructure>& typeList;
  AssociationObserver* observer;
  bool write;
};

void applyBinding(AssociationRun& run, AssociationBinding& binding, dom::IXMLDOMNode& element,
                  const std::string& parameterName, const std::string& raw, std::string& converted) {
  if (!binding.cellName.empty()) {
    run.state.settings.cell = binding.cellName;
  } else {
    logging::error({"The Cell name is not present in Association file . Corresponding to the pixit name : ",
                    parameterName, " and the naode name : ", binding.nodeName});
  }
  const auto type = run.typeList.find(binding.typeName);
  if (type != run.typeList.end()) converted = convertedValue(type->second, raw, converted);

  if (binding.fileName.empty() || binding.nodeName.empty() || converted.empty()) {
    logging::error({" AssociationFileParse :: Some Attribute is missing. The SetVal Failed : the file name is: ",
                    binding.fileName, " node  name is: ", binding.nodeName, " the value is :", converted});
    if (run.observer != nullptr) run.observer->binding(parameterName, binding, std::string(), element, false);
    return;
  }
  if (!paths::acceptFileName("AssociationFileParse", binding.fileName)) {
    if (run.observer != nullptr) run.observer->binding(parameterName, binding, converted, element, false);
    return;
  }
  bool written = false;
  if (run.write) {
    // A fresh parser for every value: no parser state lives on between bindings.
    written = parser::setValueWithNewParser(run.state, binding.fileName, binding.nodeName, converted);
    if (!written) {
      logging::error({" AssociationFileParse :: The SetVal Failed : the file name is: ", binding.fileName,
                      " node  name is: ", binding.nodeName, " the value is :", converted});
    }
  }
  if (run.observer != nullptr) run.observer->binding(parameterName, binding, converted, element, written);
}

}  // namespace

long applyAssociationFile(state::ModuleState& state, const std::string& fileName,
                          const std::map<std::string, ParamStructure>& typeList,
                          const std::map<std::string, ParamStructure>& pixitList, AssociationObserver* observer,
                          bool write) {
  ParameterFileReader reader;  // lives for the run, as the reader that makes the document would
  const std::string path = paths::findFrameworkFile(state.settings, fileName, "AssociationFileParse");
  if (path.empty()) {
    logging::error(
        logging::kCodeMissingFile,
        {"Association file is not found . The Path returned by getFrameworkCompleteFilePath_WCDMA is empty: ", path,
         "."});
    return 1;
  }
  logging::debug({"AssociationFileParse :: Function Started "});

  dom::ComPtr<dom::IXMLDOMDocument>& document = state.associationDocument;
  if (!document) {
    dom::Status status = 0;
    document = createParameterDocument(status);
    if (!document) return 1;
  }
  bool loaded = false;
  dom::ComPtr<dom::IXMLDOMNode> root;
  std::string rootName;
  if (dom::failed(document->load(path, loaded)) || !loaded || dom::failed(document->get_documentElement(root)) ||
      !root || dom::failed(root->get_nodeName(rootName))) {
    document.Reset();  // the next run makes a new one
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

  AssociationRun run{state, typeList, observer, write};
  AssociationBinding binding;
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
      for (const auto& [name, value] : attributes) readBindingAttribute(binding, name, value);
      applyBinding(run, binding, bindingNode, parameterName, raw, converted);
    });
  }
  return 0;
}

}  // namespace params
}  // namespace l3xml

long AssociationFileParse(const std::string& fileName, std::map<std::string, ParamStructure> typeList,
                          std::map<std::string, ParamStructure> pixitList) {
  return l3xml::params::applyAssociationFile(l3xml::state::module(), fileName, typeList, pixitList);
}
