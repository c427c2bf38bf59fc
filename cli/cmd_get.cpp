// get: the values of a template at a node name or a dotted path.
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "pixit_session.h"

namespace l3xml_cli {

namespace {

struct GetArguments {
  std::string file;
  std::string selector;
};

// The library answers a path that names nothing with the segment it looked for, and a name that
// names nothing with no value at all: both are checked here first, so that a wrong selector is
// an error rather than a plausible answer.
void checkSelector(const TemplateNode& root, const GetArguments& arguments) {
  const std::string& selector = arguments.selector;
  std::vector<const TemplateNode*> nodes;
  if (selector.find('.') != std::string::npos) {
    std::string reason;
    const TemplateNode* node = findByPath(root, selector, reason);
    if (node == nullptr) throw CommandFailure("no element of " + arguments.file + " at " + selector + ": " + reason);
    nodes.push_back(node);
  } else if (!isSelectableName(selector)) {
    throw CommandFailure("'" + selector + "' is neither an element name nor a dotted path from " + root.localName);
  } else {
    nodes = findByName(root, selector);
    if (nodes.empty()) throw CommandFailure(arguments.file + " has no element named " + selector);
  }
  for (const TemplateNode* node : nodes) {
    // A value is text, or one empty element that names it; anything deeper is a structure.
    if (!node->leaf() && node->children.front().listedCount > 0) {
      throw CommandFailure(node->path + " holds elements, not a value (see them with: l3xml show " + arguments.file +
                           ")");
    }
  }
}

int get(Context& context, GetArguments arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string path = requireFrameworkFile(settings, arguments.file);
  checkSelector(requireTemplate(path), arguments);

  CXMLParser parser;
  PixitSession pixit;
  loadPixitForReading(settings, context.output, pixit, parser, false);
  const std::vector<std::string> values = parser.GetVals(arguments.file, arguments.selector.data());
  if (values.empty()) throw CommandFailure(whyUnreadable(settings, path));

  if (context.output.json()) {
    context.output.printJson(
        Json{{"file", arguments.file}, {"path", path}, {"selector", arguments.selector}, {"values", values}});
  } else {
    for (const std::string& value : values) std::cout << value << '\n';
  }
  return 0;
}

}  // namespace

void addGetCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<GetArguments>();
  CLI::App* command = app.add_subcommand("get", "Print the values of a template at a node name or a dotted path");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  command
      ->add_option("PATH_OR_NAME", arguments->selector,
                   "An element name (every element of that name) or a dotted path from the root, where [N] "
                   "is the N-th child")
      ->required();
  context.output.addJsonFlag(*command);
  command->footer(
      "Values that are PIXIT references print as the value of the framework's PIXIT file.\n\n"
      "Examples:\n"
      "  l3xml --system examples/framework get RRCConnectionSetup.xml rrc-TransactionIdentifier\n"
      "  l3xml --system examples/framework get MasterInformationBlock.xml "
      "MasterInformationBlock.sibSb-ReferenceList.[2].scheduling.sib-Pos.c3.rep32");
  table[command] = [&context, arguments] { return get(context, *arguments); };
}

}  // namespace l3xml_cli
