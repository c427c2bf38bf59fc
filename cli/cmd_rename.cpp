// rename: an element renamed by the library's text rewrite into the temp folder.
#include <memory>

#include "template_view.h"
#include "writing.h"

namespace l3xml_cli {

namespace {

struct RenameArguments {
  std::string file;
  std::string oldName;
  std::string newName;
  bool dryRun = false;
};

bool hasElement(const l3xml::Node& root, const std::string& name) {
  std::vector<const l3xml::Node*> pending{&root};
  while (!pending.empty()) {
    const l3xml::Node* node = pending.back();
    pending.pop_back();
    if (node->name == name) return true;
    for (const l3xml::Node& child : node->children) pending.push_back(&child);
  }
  return false;
}

int rename(Context& context, const RenameArguments& arguments) {
  Session session(context.options);
  session.open();
  const std::optional<TemplateRef> ref = session.resolve(arguments.file);
  if (!ref) return 1;
  const l3xml::Result<l3xml::Template> tree = ref->framework.loadTemplate(ref->name);
  if (!session.accept(tree)) return 1;
  if (!hasElement(tree->root, arguments.oldName)) {
    session.error(arguments.file, "no element is named '" + arguments.oldName + "'", l3xml::codes::kBadSelector);
    suggestNodeName(*ref, arguments.oldName);
    return 1;
  }
  const l3xml::Framework framework = arguments.dryRun ? session.dryRun(ref->framework) : ref->framework;
  const l3xml::Result<l3xml::Changes> changes = framework.rename(ref->name, arguments.oldName, arguments.newName);
  if (!session.accept(changes) || session.errors() > 0) {
    context.output.note("the rewrite overwrites the first " + arguments.oldName +
                        " of each line in place: it needs a new name as long as the old one, and elements that open "
                        "and close on lines of their own");
    return 1;
  }
  if (changes->changes.empty()) {
    session.error(arguments.file, "the rewrite renamed nothing");
    return 1;
  }
  // The renamed copy lies in temp itself, which the lookup searches after the template folders:
  // the framework reads it by its path.
  if (!ref->framework.readsBack(ref->name, session.realPath(changes->workingCopy))) {
    session.warning(arguments.file, "the lookup does not read " + session.shown(changes->workingCopy) + " for " +
                                        ref->name + ": it is read by its path only");
  }
  return reportWrite(context, session, *ref, *changes, arguments.dryRun);
}

}  // namespace

void addRenameCommand(CLI::App& app, Context& context, CommandTable& table) {
  auto arguments = std::make_shared<RenameArguments>();
  CLI::App* command = app.add_subcommand("rename", "Rename an element, writing the result into the temp folder");
  command->add_option("FILE", arguments->file, "The template: a file name or a path in the framework")->required();
  command->add_option("OLD", arguments->oldName, "The element name to replace")->required();
  command->add_option("NEW", arguments->newName, "The new element name")->required();
  addDryRunFlag(*command, arguments->dryRun);
  context.output.addJsonFlag(*command);
  command->footer(
      "The result goes to the temp folder under the file's own name. The rename is a text rewrite of the first "
      "occurrence on each line, made for names of equal length; a result that does not parse is an error.\n\n"
      "Example:\n"
      "  l3xml --system /tmp/fw rename RRCConnectionRelease.xml optRplmn-Information optRplmn-Informatio2");
  table[command] = [&context, arguments] { return rename(context, *arguments); };
}

}  // namespace l3xml_cli
