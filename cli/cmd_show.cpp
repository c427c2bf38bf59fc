// show: a template as an indented tree with kinds, values and resolved PIXIT references.
#include <iostream>
#include <memory>

#include <l3xml/l3xml.h>

#include "command.h"
#include "file_check.h"
#include "pixit_session.h"

namespace l3xml_cli {

namespace {

struct ShowArguments {
  std::string file;
  bool paths = false;
  ColourWhen colour = ColourWhen::kAuto;
};

// The marks are those of the flattened line.
const char* kindLabel(NodeKind kind) {
  switch (kind) {
    case NodeKind::kChoice:
      return "(choice)";
    case NodeKind::kOptional:
      return "[optional]";
    case NodeKind::kSequence:
      return "{SEQUENCE}";
    case NodeKind::kPlain:
      break;
  }
  return "";
}

const char* kindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::kChoice:
      return "choice";
    case NodeKind::kOptional:
      return "optional";
    case NodeKind::kSequence:
      return "sequence";
    case NodeKind::kPlain:
      break;
  }
  return "element";
}

class TreePrinter {
 public:
  TreePrinter(const PixitSession& pixit, const Palette& palette) : pixit_(pixit), palette_(palette) {}

  void print(const TemplateNode& node, int depth) const {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += palette_.name(node.name);
    if (node.kind != NodeKind::kPlain) line += " " + palette_.mark(kindLabel(node.kind));
    if (node.leaf()) {
      if (!node.text.empty()) {
        line += " = " + valueText(node.text);
      } else if (node.kind == NodeKind::kOptional) {
        line += " " + palette_.faint("absent");
      }
    }
    std::cout << line << '\n';
    for (const TemplateNode& child : node.children) print(child, depth + 1);
  }

  void printPaths(const TemplateNode& root) const {
    forEachNode(root, [&](const TemplateNode& node) {
      if (!node.leaf()) return;
      std::cout << node.path;
      if (!node.text.empty()) std::cout << " = " << valueText(node.text);
      std::cout << '\n';
    });
  }

 private:
  std::string valueText(const std::string& text) const {
    if (!isPixitReference(text)) return palette_.value(text);
    if (!pixit_.loaded()) return palette_.reference(text);
    const std::optional<std::string> resolved = pixit_.valueOf(text);
    return palette_.reference(text) + " -> " +
           (resolved ? palette_.value(*resolved) : palette_.problem("not in the PIXIT file"));
  }

  const PixitSession& pixit_;
  const Palette& palette_;
};

Json nodeJson(const TemplateNode& node, const PixitSession& pixit) {
  Json json{{"name", node.name}, {"kind", kindName(node.kind)}, {"path", node.path}};
  if (node.leaf()) {
    json["value"] = node.text;
    if (isPixitReference(node.text) && pixit.loaded()) {
      const std::optional<std::string> resolved = pixit.valueOf(node.text);
      json["pixit"] = {{"name", node.text}, {"value", resolved ? Json(*resolved) : Json()}};
    }
  } else {
    Json children = Json::array();
    for (const TemplateNode& child : node.children) children.push_back(nodeJson(child, pixit));
    json["children"] = children;
  }
  return json;
}

int show(Context& context, const ShowArguments& arguments) {
  Settings& settings = context.settings;
  settings.applyToLibrary();
  const std::string path = requireFrameworkFile(settings, arguments.file);
  const TemplateNode root = requireTemplate(path);

  CXMLParser parser;
  PixitSession pixit;
  loadPixitForReading(settings, context.output, pixit, parser, true);
  const std::string flattened = parser.ParseXML(arguments.file);
  if (flattened.empty()) throw CommandFailure(whyUnreadable(settings, path));

  if (context.output.json()) {
    context.output.printJson(Json{{"file", arguments.file},
                                  {"path", path},
                                  {"pixitFile", pixit.loaded() ? Json(pixit.pixitPath()) : Json()},
                                  {"tree", nodeJson(root, pixit)},
                                  {"flattened", flattened}});
    return 0;
  }
  const Palette palette = Palette::forStandardOutput(arguments.colour);
  const TreePrinter printer(pixit, palette);
  std::cout << palette.faint(path) << '\n';
  if (pixit.loaded()) std::cout << palette.faint("PIXIT values from " + pixit.pixitPath()) << '\n';
  std::cout << '\n';
  if (arguments.paths) {
    printer.printPaths(root);
  } else {
    printer.print(root, 0);
  }
  std::cout << '\n' << palette.faint("flattened: ") << flattened << '\n';
  return 0;
}

}  // namespace

void addShowCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<ShowArguments>();
  CLI::App* command = app.add_subcommand("show", "Print a template as a tree, then its flattened line");
  command->add_option("FILE", arguments->file, "Template file name, as the framework knows it")->required();
  command->add_flag("--paths", arguments->paths,
                    "List each value with the dotted path that get and set take, instead of the tree");
  addColourOption(*command, arguments->colour);
  context.output.addJsonFlag(*command);
  command->footer(
      "Marks: (choice), [optional], {SEQUENCE}. A PIXIT reference shows the value it resolves to when the "
      "framework has a PIXIT file (--pixit, or the one at the root of the system folder).\n\n"
      "Examples:\n"
      "  l3xml --system examples/framework show SecurityModeCommand.xml\n"
      "  l3xml --system examples/framework show --paths MasterInformationBlock.xml");
  table[command] = [&context, arguments] { return show(context, *arguments); };
}

}  // namespace l3xml_cli
