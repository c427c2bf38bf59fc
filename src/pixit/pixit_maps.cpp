// The PIXIT bookkeeping over a module state.
#include "pixit/pixit_maps.h"

#include "logging/logging.h"
#include "paths/framework_paths.h"

namespace l3xml {
namespace pixit {

bool hasPixitPrefix(const std::string& text) { return text.compare(0, 3, "px_") == 0; }

bool isPixitReference(const std::string& text) { return hasPixitPrefix(text) && text.find(' ') == std::string::npos; }

bool readsAsPixitReference(dom::IXMLDOMNode& node, std::size_t limit, std::string& text) {
  bool reference = false;
  (void)node.matchText("px_", ' ', limit, text, reference);
  return reference;
}

void recordNodeParameter(state::ModuleState& state, const std::string& nodeName, const std::string& parameterName) {
  state.nodeNamePixitParameterMap.emplace(nodeName, parameterName);
}

long lookUpPixitValue(state::ModuleState& state, const std::string& paramName, std::string& value) {
  if (state.parserParamList != nullptr) {
    const auto found = state.parserParamList->find(paramName);
    if (found != state.parserParamList->end()) {
      value = found->second.value;
      logging::debug({"CXMLParser::getPixitValueForParser is called for ", paramName, ". It,s value is : ", value});
      return 0;
    }
  }
  logging::error(logging::kCodeUnresolvedReference,
                 {"The Required parameter is not present in the Pixit List : ", paramName});
  return kNotFound;
}

// Cut at every separator: for paths joined by commas this gives the file names in order, and a
// comma-separated list of bare file names gives each of them rather than one unusable key.
std::vector<std::string> messageFilesOf(const std::string& fileList) {
  std::vector<std::string> files;
  std::string::size_type start = 0;
  while (start <= fileList.size()) {
    const std::string::size_type end = fileList.find_first_of("\\,", start);
    const std::string piece = fileList.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (piece.find("xml") != std::string::npos) files.push_back(piece);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return files;
}

namespace {

// Indexes the parameter under each message file its comment names (when it is a "px_" one),
// or under only that file.
void indexFilesOf(ParameterFiles& files, const std::string& name, const ParamStructure& parameter,
                  const std::string* only = nullptr) {
  if (!hasPixitPrefix(name)) return;
  for (std::string& file : messageFilesOf(parameter.comment)) {
    if (only == nullptr || file == *only) files.emplace(std::move(file), name);
  }
}

}  // namespace

ParameterFiles parameterFiles(const std::map<std::string, ParamStructure>& list) {
  ParameterFiles files;
  for (const auto& [name, parameter] : list) indexFilesOf(files, name, parameter);
  return files;
}

// The list is kept by pointer: the host keeps it alive and in place while it is registered.
void registerParameterList(state::ModuleState& state, std::map<std::string, ParamStructure>* list) {
  state.parserParamList = list;
  state.nodeNamePixitParameterMap.clear();
  state.pixitFileMultiMap.clear();
  if (list != nullptr) state.pixitFileMultiMap = parameterFiles(*list);
}

void registerParameterListFor(state::ModuleState& state, std::map<std::string, ParamStructure>* list,
                              const std::string& fileName, const ParameterFiles* files) {
  state.parserParamList = list;
  state.nodeNamePixitParameterMap.clear();
  state.pixitFileMultiMap.clear();
  if (list == nullptr || fileName.empty()) return;
  if (files != nullptr) {
    const auto [first, last] = files->equal_range(fileName);
    state.pixitFileMultiMap.insert(first, last);
    return;
  }
  for (const auto& [name, parameter] : *list) {
    // The files are pieces of the comment: one that does not hold the name cannot name the file.
    if (parameter.comment.find(fileName) != std::string::npos)
      indexFilesOf(state.pixitFileMultiMap, name, parameter, &fileName);
  }
}

long writeIndexedParameters(state::ModuleState& state, const std::string& fileName,
                            const std::function<void(const std::string&, const std::string&)>& setValue) {
  // A name that would lead out of the framework is refused before anything is written.
  if (!paths::acceptFileName("isFileNamePresentinMultiMap", fileName)) return kNotFound;
  const auto [first, last] = state.pixitFileMultiMap.equal_range(fileName);
  std::vector<std::string> parameters;
  for (auto entry = first; entry != last; ++entry) parameters.push_back(entry->second);
  logging::debug({"IsFileNamePresentinMultiMap::The occurence of the ", fileName,
                  " are as much: ", std::to_string(parameters.size())});
  if (parameters.empty()) return kNotFound;

  for (const std::string& parameter : parameters) {
    // A parameter that left the registered list is skipped: it has no value of its own.
    std::string value;
    if (lookUpPixitValue(state, parameter, value) != 0) continue;
    logging::debug({"isFileNamePresentinMultiMap::SetVal is called for Pixit parameter: ", parameter,
                    " and The pixit value is ", value});
    setValue(parameter, value);
  }
  return 0;
}

}  // namespace pixit
}  // namespace l3xml
