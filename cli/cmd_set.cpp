// set: a value written into the working copy of a template, never into the template itself.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "framework.h"

namespace l3xml_cli {

namespace {

struct SetArguments {
  std::string file;
  std::string selector;
  std::string value;
  std::optional<long> index;
};

// The elements the selector names in the file the library is about to edit. The library takes a
// selector that names nothing as done, so an empty selection is refused here.
std::vector<const TemplateNode*> selectedNodes(const TemplateNode& root, const SetArguments& arguments,
                                               const std::string& editedPath) {
  const std::string& selector = arguments.selector;
  if (selector.find('.') != std::string::npos) {
    if (arguments.index) {
      throw UsageFailure("--index counts the elements a placeholder or a name selects; a dotted path selects one");
    }
    std::string reason;
    const TemplateNode* node = findByPath(root, selector, reason);
    if (node == nullptr) throw CommandFailure("no element of " + arguments.file + " at " + selector + ": " + reason);
    return {node};
  }
  if (selector.compare(0, 3, "px_") == 0) {
    std::vector<const TemplateNode*> nodes = findByPlaceholder(root, selector);
    if (nodes.empty()) {
      throw CommandFailure("no element of " + editedPath + " holds " + selector +
                           " (a placeholder is replaced by the first value written to it)");
    }
    return nodes;
  }
  if (!isSelectableName(selector)) {
    throw CommandFailure("'" + selector + "' is neither a px_ placeholder, an element name nor a dotted path from " +
                         root.localName);
  }
  std::vector<const TemplateNode*> nodes = findByName(root, selector);
  if (nodes.empty()) throw CommandFailure(editedPath + " has no element named " + selector);
  return nodes;
}

int set(Context& context, SetArguments arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string source = requireFrameworkFile(settings, arguments.file);
  const std::string workingCopy = workingCopyPath(settings.workFolder(), source, arguments.file);
  // The library edits the working copy once there is one, and makes it from the template otherwise.
  const std::string edited = std::filesystem::exists(workingCopy) ? workingCopy : source;
  const TemplateNode root = requireTemplate(edited);
  const std::vector<const TemplateNode*> nodes = selectedNodes(root, arguments, edited);
  if (arguments.index && (*arguments.index < 0 || *arguments.index >= static_cast<long>(nodes.size()))) {
    throw CommandFailure("--index " + std::to_string(*arguments.index) + " is out of range: " + arguments.selector +
                         " selects " + std::to_string(nodes.size()) + " element(s), counted from 0");
  }

  CXMLParser parser;
  const bool written =
      arguments.index
          ? parser.SetVal(arguments.file, arguments.selector.data(), arguments.value.data(), *arguments.index)
          : parser.SetVal(arguments.file, arguments.selector.data(), arguments.value.data());
  if (!written) {
    for (const TemplateNode* node : nodes) {
      if (!node->leaf() && !isSelectableName(arguments.value)) {
        throw CommandFailure(node->path + " holds elements: the value written there must be an element name, and '" +
                             arguments.value + "' is not one");
      }
    }
    throw CommandFailure("the library could not write " + workingCopy + "; its log is at " + settings.logDescription());
  }

  const std::size_t changed = arguments.index ? 1 : nodes.size();
  if (context.output.json()) {
    Json result{{"file", arguments.file},
                {"selector", arguments.selector},
                {"value", arguments.value},
                {"elements", changed},
                {"template", findReadOnlyTemplate(settings, settings.cell(), arguments.file)},
                {"workingCopy", workingCopy}};
    if (arguments.index) result["index"] = *arguments.index;
    context.output.printJson(result);
  } else {
    std::cout << arguments.file << ": " << arguments.selector << " = " << arguments.value << " (" << changed
              << (changed == 1 ? " element" : " elements") << ") in " << workingCopy << '\n';
  }
  return 0;
}

}  // namespace

void addSetCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<SetArguments>();
  CLI::App* command = app.add_subcommand("set", "Write a value into the working copy of a template");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  command
      ->add_option("SELECTOR", arguments->selector,
                   "px_Name (every element holding that placeholder), an element name (every element of that "
                   "name) or a dotted path from the root")
      ->required();
  command->add_option("VALUE", arguments->value, "The new value")->required();
  command
      ->add_option("--index", arguments->index,
                   "Change only the N-th selected element, counted from 0 (the working copy is also trimmed "
                   "after its last '>')")
      ->type_name("N");
  context.output.addJsonFlag(*command);
  command->footer(
      "The template is never changed: the value goes into its working copy under the work folder's temp "
      "folder, which later commands read instead of the template.\n\n"
      "Examples:\n"
      "  l3xml --system /tmp/fw set RRCConnectionSetup.xml rrc-TransactionIdentifier 2\n"
      "  l3xml --system /tmp/fw set RRCConnectionSetup.xml px_S_RNTI '0 0 0 1'\n"
      "  l3xml --system /tmp/fw set MasterInformationBlock.xml rep32 6 --index 1");
  table[command] = [&context, arguments] { return set(context, *arguments); };
}

}  // namespace l3xml_cli
