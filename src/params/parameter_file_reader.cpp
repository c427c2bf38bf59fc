// The parameter file reader object: construction, copying, destruction and the getters.
#include <l3xml/l3xml.h>

#include "logging/logging.h"
#include "params/parameter_document.h"
#include "platform/com_runtime.h"
#include "xmldoc/xml_dom.h"

ParameterFileReader::ParameterFileReader() : status(0) { l3xml::platform::initializeCom(); }

// A copy takes the lists and working records and makes its own document on its first read. It
// initialises COM like any reader, since its destructor uninitialises it.
ParameterFileReader::ParameterFileReader(const ParameterFileReader& other)
    : paramList(other.paramList),
      paramList_Sync(other.paramList_Sync),
      currentParam(other.currentParam),
      currentSync(other.currentSync),
      status(0) {
  l3xml::platform::initializeCom();
}

ParameterFileReader& ParameterFileReader::operator=(const ParameterFileReader& other) {
  if (this != &other) {
    paramList = other.paramList;
    paramList_Sync = other.paramList_Sync;
    currentParam = other.currentParam;
    currentSync = other.currentSync;
  }
  return *this;
}

ParameterFileReader::~ParameterFileReader() {
  l3xml::logging::debug({"IN DESTRUCTOR OF ParameterFileReader"});
  pAttribute.Reset();
  pElement.Reset();
  pRootChildList.Reset();
  pRootElement.Reset();
  pXMLDoc.Reset();
  pElementChildList.Reset();
  pChild.Reset();
  pElementAttributeMap.Reset();
  pChildAttributeMap.Reset();
  pCreatedDocument.Reset();
  l3xml::platform::uninitializeCom();
}

std::map<std::string, ParamStructure> ParameterFileReader::getparamList() { return paramList; }

std::vector<ParamStructure_Sync> ParameterFileReader::getparamList_Sync() { return paramList_Sync; }

ParamStructure ParameterFileReader::getparamStructure(std::string name) {
  const auto found = paramList.find(name);
  return found != paramList.end() ? found->second : ParamStructure();
}

ParamStructure_Sync ParameterFileReader::getparamStructure_sync() {
  return paramList_Sync.empty() ? ParamStructure_Sync() : paramList_Sync.front();
}

// The reader keeps the created document in pCreatedDocument; the caller receives a reference of
// its own, which it releases.
l3xml::dom::IXMLDOMDocument* ParameterFileReader::DomFromCOM() {
  pCreatedDocument = l3xml::params::createParameterDocument(status);
  if (!pCreatedDocument) return nullptr;
  pCreatedDocument->AddRef();
  return pCreatedDocument.Get();
}

bool ParameterFileReader::handleError() {
  l3xml::logging::error({"Failed to parse parameter file"});
  return false;
}
