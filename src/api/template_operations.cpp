// Reading and writing templates through the modern interface: the flattened line, values, the
// message type, and writes into working copies that report what they changed.
#include <l3xml/framework.h>

#include "api/call.h"
#include "api/template_tree.h"
#include "parser/document_access.h"
#include "parser/dotted_path.h"
#include "parser/message_flattening.h"
#include "parser/node_renaming.h"
#include "parser/template_reading.h"
#include "parser/value_setting.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "platform/file_system.h"

namespace l3xml {

namespace api {

namespace {

// The campaign's values, registered with the call's state as the host registers its list. The
// campaign's own list is registered, not a copy: a call only reads through it, and copying
// thousands of parameters for each template was most of a run's time. A write by parameter
// (apply) also needs the parameters that name its file indexed.
class RegisteredValues {
 public:
  RegisteredValues(Call& call, const Campaign* campaign, const std::string* indexedFile = nullptr,
                   const pixit::ParameterFiles* files = nullptr) {
    if (campaign == nullptr) return;
    auto* values = const_cast<std::map<std::string, ParamStructure>*>(&campaign->values);
    if (indexedFile != nullptr) {
      pixit::registerParameterListFor(call.state(), values, *indexedFile, files);
    } else {
      call.state().parserParamList = values;  // the state's maps are empty: the call's state is new
    }
  }
};

// The file the lookup finds for fileName, which the call's diagnostics then concern; nothing,
// with an error, when there is none.
std::optional<std::string> located(Call& call, const std::string& fileName) {
  const std::string path = paths::findFrameworkFile(call.state().settings, fileName);
  if (path.empty()) {
    const paths::FrameworkFolders& settings = call.state().settings;
    call.setFile(fileName);
    if (!settings.system.empty() || !settings.user.empty()) {
      call.add(Severity::kError, codes::kMissingFile,
               "not found in the framework's folders (cell " + std::string(paths::cellFolderFor(settings.cell)) + ")");
    }
    return std::nullopt;
  }
  call.setFile(path);
  return path;
}

// Positions diagnostics at the node being flattened and, when asked, names each piece's element.
class LineFollower final : public parser::FlatteningObserver {
 public:
  LineFollower(Call& call, const Template* tree, std::vector<Token>* tokens)
      : call_(call), tree_(tree), tokens_(tokens) {}

  void visiting(dom::IXMLDOMNode& node, const std::vector<long>&) override { call_.setPosition(node); }

  void appended(std::size_t begin, std::size_t end, const std::vector<long>& place) override {
    if (tokens_ == nullptr || tree_ == nullptr) return;
    const std::string& path = place.empty() ? std::string() : nodeAtPlace(tree_->root, place)->path;
    // A value and the blank after it are one piece.
    if (!tokens_->empty() && tokens_->back().end == begin && tokens_->back().path == path) {
      tokens_->back().end = end;
    } else {
      tokens_->push_back({begin, end, path});
    }
  }

 private:
  Call& call_;
  const Template* tree_;
  std::vector<Token>* tokens_;
};

Changes changesBetween(Call& call, const std::optional<Template>& before, const std::string& workingCopy,
                       const std::string& name) {
  Changes changes{name, workingCopy, {}, before ? before->path : std::string()};
  if (!before || !platform::pathExists(workingCopy)) return changes;
  const std::optional<Template> after = readTemplateTree(call, workingCopy, name, TreeDetail::kShape);
  if (after) changes.changes = compareTemplates(before->root, after->root);
  return changes;
}

// Whether selector names elements that hold values; an error says why not.
bool selects(Call& call, const Template& tree, const std::string& selector, bool nothingRead) {
  std::vector<const Node*> nodes;
  if (parser::readingComponents(selector).empty()) {
    nodes = nodesNamed(tree, selector);
    if (nodes.empty() && nothingRead) {
      call.add(Severity::kError, codes::kBadSelector, "no element is named '" + selector + "'");
      return false;
    }
  } else {
    std::string reason;
    const Node* node = nodeAtPath(tree, selector, reason);
    if (node == nullptr) {
      call.add(Severity::kError, codes::kBadSelector, reason);
      return false;
    }
    nodes.push_back(node);
  }
  for (const Node* node : nodes) {
    if (!holdsElements(*node)) continue;
    call.setPosition(node->line, node->column);
    call.add(Severity::kError, codes::kBadSelector, node->path + " holds elements, not a value");
    return false;
  }
  return true;
}

// How many nodes a placeholder or name selects in the file a write starts from.
long selectedCount(const std::string& path, const std::string& selector) {
  dom::ComPtr<dom::IXMLDOMDocument> document;
  dom::ComPtr<dom::IXMLDOMNodeList> nodes;
  bool loaded = false;
  long count = 0;
  if (parser::createParserDocument(document.GetAddressOf()) < 0 || dom::failed(document->load(path, loaded)) ||
      !loaded || dom::failed(document->selectNodes(parser::selectionQuery(selector), nodes)) || !nodes ||
      dom::failed(nodes->get_length(count))) {
    return -1;
  }
  return count;
}

}  // namespace

}  // namespace api

Result<Template> Framework::loadTemplate(const std::string& fileName) const {
  return api::guarded<Template>(folders_, [&](api::Call& call) -> std::optional<Template> {
    const std::optional<std::string> path = api::located(call, fileName);
    if (!path) return std::nullopt;
    return api::readTemplateTree(call, *path, fileName);
  });
}

Result<Template> Framework::readTemplate(const std::string& path) const {
  return api::guarded<Template>(folders_, [&](api::Call& call) {
    const std::string::size_type separator = path.find_last_of("\\/");
    return api::readTemplateTree(call, path, separator == std::string::npos ? path : path.substr(separator + 1));
  });
}

Result<FlatLine> Framework::flatten(const std::string& fileName, const Campaign* campaign, bool tokens) const {
  return api::guarded<FlatLine>(folders_, [&](api::Call& call) -> std::optional<FlatLine> {
    api::RegisteredValues values(call, campaign);
    const std::optional<std::string> path = api::located(call, fileName);
    if (!path) return std::nullopt;
    std::optional<Template> tree;
    if (tokens) tree = api::readTemplateTree(call, *path, fileName);
    FlatLine line;
    api::LineFollower follower(call, tree ? &*tree : nullptr, tokens ? &line.tokens : nullptr);
    parser::FlatteningBuffers buffers;
    parser::Flattening work = buffers.over(call.state(), &follower);
    line.text = parser::flattenFile(work, fileName);
    call.setPosition(0, 0);
    if (line.text.empty()) {
      if (buffers.document) {
        dom::ComPtr<dom::IXMLDOMParseError> error;
        dom::Status code = 0;
        if (!dom::failed(buffers.document->get_parseError(error)) && error &&
            !dom::failed(error->get_errorCode(code)) && code != 0) {
          call.add(api::parseErrorOf(*buffers.document, *path));
        }
      }
      return std::nullopt;
    }
    return line;
  });
}

Result<std::vector<std::string>> Framework::get(const std::string& fileName, const std::string& selector,
                                                const Campaign* campaign) const {
  return api::guarded<std::vector<std::string>>(
      folders_, [&](api::Call& call) -> std::optional<std::vector<std::string>> {
        api::RegisteredValues values(call, campaign);
        const std::optional<std::string> path = api::located(call, fileName);
        if (!path) return std::nullopt;
        dom::ComPtr<dom::IXMLDOMDocument> document;
        std::vector<std::string> found = parser::readValues(call.state(), document, fileName, selector);
        if (call.failed()) return std::nullopt;
        // GetVals answers a path that names nothing with a component of it, and a structure with
        // an empty text: the tree tells those from values.
        const std::optional<Template> tree = api::readTemplateTree(call, *path, fileName);
        if (!tree) return std::nullopt;
        if (!api::selects(call, *tree, selector, found.empty())) return std::nullopt;
        return found;
      });
}

Result<std::string> Framework::messageType(const std::string& fileName) const {
  return api::guarded<std::string>(folders_, [&](api::Call& call) -> std::optional<std::string> {
    if (!api::located(call, fileName)) return std::nullopt;
    dom::ComPtr<dom::IXMLDOMDocument> document;
    std::string type = parser::rootNameOf(call.state(), document, fileName);
    if (type.empty()) return std::nullopt;
    return type;
  });
}

Result<Changes> Framework::set(const std::string& fileName, const std::string& selector, const std::string& value,
                               std::optional<long> index) const {
  return api::guarded<Changes>(folders_, [&](api::Call& call) -> std::optional<Changes> {
    const std::optional<std::string> source = api::located(call, fileName);
    if (!source) return std::nullopt;
    const std::string workingCopy = paths::workingCopyPath(call.state().settings.work, *source, fileName);
    const std::string startsFrom = platform::pathExists(workingCopy) ? workingCopy : *source;
    const std::optional<Template> before = api::readTemplateTree(call, startsFrom, fileName, api::TreeDetail::kShape);
    if (!before) return std::nullopt;
    call.setFile(startsFrom);
    if (!parser::readingComponents(selector).empty()) {
      std::string reason;
      if (index) reason = "an index picks among the elements a name or placeholder selects; a dotted path names one";
      if (index || api::nodeAtPath(*before, selector, reason) == nullptr) {
        call.add(Severity::kError, codes::kBadSelector, reason);
        return std::nullopt;
      }
    } else {
      const long selected = api::selectedCount(startsFrom, selector);
      if (selected == 0) {
        call.add(Severity::kError, codes::kBadSelector, "'" + selector + "' selects no element");
        return std::nullopt;
      }
      if (index && (*index < 0 || *index >= selected)) {
        call.add(Severity::kError, codes::kBadSelector,
                 "index " + std::to_string(*index) + " is out of range: '" + selector + "' selects " +
                     std::to_string(selected) + (selected == 1 ? " element" : " elements") + ", counted from 0");
        return std::nullopt;
      }
    }
    dom::ComPtr<dom::IXMLDOMDocument> document;
    dom::ComPtr<dom::IXMLDOMDocument> fragment;
    call.setFile(workingCopy);
    if (!parser::setValue(call.state(), {document, fragment}, fileName, selector, value, index)) return std::nullopt;
    return api::changesBetween(call, before, workingCopy, fileName);
  });
}

namespace api {
namespace {

Result<Changes> applyParameters(const Folders& folders, const Campaign& campaign, const std::string& fileName,
                                const pixit::ParameterFiles* files) {
  return guarded<Changes>(folders, [&](Call& call) -> std::optional<Changes> {
    RegisteredValues values(call, &campaign, &fileName, files);
    const std::optional<std::string> source = api::located(call, fileName);
    if (!source) return std::nullopt;
    const std::string workingCopy = paths::workingCopyPath(call.state().settings.work, *source, fileName);
    const std::optional<Template> before = api::readTemplateTree(
        call, platform::pathExists(workingCopy) ? workingCopy : *source, fileName, api::TreeDetail::kShape);
    call.setFile(workingCopy);
    dom::ComPtr<dom::IXMLDOMDocument> document;
    dom::ComPtr<dom::IXMLDOMDocument> fragment;
    parser::setIndexedValues(call.state(), {document, fragment}, fileName);
    return api::changesBetween(call, before, workingCopy, fileName);
  });
}

}  // namespace
}  // namespace api

Result<Changes> Framework::apply(const Campaign& campaign, const std::string& fileName) const {
  return api::applyParameters(folders_, campaign, fileName, nullptr);
}

Result<Changes> Framework::apply(const Campaign& campaign, const std::string& fileName,
                                 const std::multimap<std::string, std::string>& parametersByFile) const {
  return api::applyParameters(folders_, campaign, fileName, &parametersByFile);
}

Result<Changes> Framework::rename(const std::string& fileName, const std::string& oldName,
                                  const std::string& newName) const {
  return api::guarded<Changes>(folders_, [&](api::Call& call) -> std::optional<Changes> {
    const std::optional<std::string> source = api::located(call, fileName);
    if (!source) return std::nullopt;
    const std::optional<Template> before = api::readTemplateTree(call, *source, fileName, api::TreeDetail::kShape);
    const std::string tempFolder = call.state().settings.work + paths::subFolder({"temp"});
    const std::string workingCopy = tempFolder + fileName;
    (void)platform::makeDirectories(tempFolder);
    call.setFile(workingCopy);
    if (parser::renameNode(call.state(), fileName, oldName, newName) != 0) {
      call.add(Severity::kError, codes::kWriteFailed, "the renamed copy could not be written");
      return std::nullopt;
    }
    return api::changesBetween(call, before, workingCopy, fileName);
  });
}

Result<Changes> Framework::compare(const std::string& fileName) const {
  return api::guarded<Changes>(folders_, [&](api::Call& call) -> std::optional<Changes> {
    const std::optional<paths::Candidate> found = paths::locate(call.state().settings, fileName, false);
    if (!found) {
      call.setFile(fileName);
      call.add(Severity::kError, codes::kMissingFile, "no template of that name in the framework's folders");
      return std::nullopt;
    }
    const std::string workingCopy = paths::workingCopyPath(call.state().settings.work, found->path, fileName);
    const std::optional<Template> before = api::readTemplateTree(call, found->path, fileName, api::TreeDetail::kShape);
    if (!before) return std::nullopt;
    return api::changesBetween(call, before, workingCopy, fileName);
  });
}

}  // namespace l3xml
