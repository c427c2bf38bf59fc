// The binding of the modern interface for Python: the value types as read-only classes, and the
// Framework's operations, each returning its value (or None) with the call's diagnostics. The
// package in l3xml/ turns those into exceptions and adds what makes it Pythonic.
//
// Every call keeps the GIL: the library serves one calling thread at a time, and the GIL is what
// makes two Python threads take turns.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <l3xml/diagnostic.h>
#include <l3xml/framework.h>

namespace py = pybind11;

namespace {

using l3xml::Campaign;
using l3xml::Diagnostic;
using l3xml::Framework;

// The value of a result, or None, with the diagnostics of the call.
template <class T, class Convert>
py::tuple outcome(l3xml::Result<T>&& result, Convert convert) {
  py::object value = result.has_value() ? convert(std::move(result).value()) : py::none();
  return py::make_tuple(std::move(value), py::cast(result.diagnostics()));
}

template <class T>
py::tuple outcome(l3xml::Result<T>&& result) {
  return outcome(std::move(result), [](T&& value) { return py::cast(std::move(value)); });
}

py::object optionalLocation(const std::optional<l3xml::Location>& location) {
  return location ? py::cast(*location) : py::none();
}

py::object textOrNone(bool present, const std::string& text) {
  if (!present) return py::none();
  return py::str(text);
}

py::object noneIfEmpty(const std::string& text) { return textOrNone(!text.empty(), text); }

std::string quoted(const std::string& text) { return py::repr(py::str(text)).cast<std::string>(); }

// A node of a template's tree: a handle that keeps the whole tree alive, so that a node taken
// from a template outlives the template object.
struct NodeRef {
  std::shared_ptr<const l3xml::Template> tree;
  const l3xml::Node* node;
};

std::vector<NodeRef> childrenOf(const NodeRef& parent) {
  std::vector<NodeRef> children;
  children.reserve(parent.node->children.size());
  for (const l3xml::Node& child : parent.node->children) children.push_back({parent.tree, &child});
  return children;
}

std::string nodeRepr(const NodeRef& ref) {
  const l3xml::Node& node = *ref.node;
  std::string text = "<Node " + node.path + " (" + l3xml::kindName(node.kind);
  if (node.leaf()) text += ", " + quoted(node.text);
  if (!node.children.empty()) text += ", " + std::to_string(node.children.size()) + " children";
  return text + ")>";
}

std::string diagnosticText(const Diagnostic& d) {
  std::string text = d.file;
  if (d.line > 0) text += ":" + std::to_string(d.line) + (d.column > 0 ? ":" + std::to_string(d.column) : "");
  return text + ": " + l3xml::severityName(d.severity) + ": " + d.message + " [" + d.code + "]";
}

std::string positionRepr(const l3xml::Position& p) {
  return "Position(" + quoted(p.file) + ", " + std::to_string(p.line) + ", " + std::to_string(p.column) + ")";
}

const l3xml::Parameter& parameterOf(const Campaign& campaign, const std::string& name) {
  const l3xml::Parameter* parameter = campaign.parameter(name);
  if (parameter == nullptr) throw py::key_error(name);
  return *parameter;
}

l3xml::CampaignOptions campaignOptions(const std::string& pixit, const std::string& types,
                                       l3xml::AssociationMode association) {
  return l3xml::CampaignOptions{pixit, types, association};
}

void bindDiagnostics(py::module_& m) {
  py::enum_<l3xml::Severity>(m, "Severity", "How bad a diagnostic is.")
      .value("NOTE", l3xml::Severity::kNote)
      .value("WARNING", l3xml::Severity::kWarning)
      .value("ERROR", l3xml::Severity::kError);

  py::class_<Diagnostic>(m, "Diagnostic",
                         "One finding of a call: a stable code (see l3xml.codes), the file it concerns, a line\n"
                         "and column from 1 (0 when unknown) and a message. str() gives\n"
                         "'file:line:column: severity: message [code]'.")
      .def_readonly("severity", &Diagnostic::severity)
      .def_readonly("code", &Diagnostic::code)
      .def_readonly("file", &Diagnostic::file)
      .def_readonly("line", &Diagnostic::line)
      .def_readonly("column", &Diagnostic::column)
      .def_readonly("message", &Diagnostic::message)
      .def_property_readonly(
          "is_error", [](const Diagnostic& d) { return d.severity == l3xml::Severity::kError; },
          "True for an error (not a warning or a note).")
      .def("__str__", &diagnosticText)
      .def("__repr__", [](const Diagnostic& d) {
        return std::string("<Diagnostic ") + l3xml::severityName(d.severity) + " " + d.code + " " +
               quoted(diagnosticText(d)) + ">";
      });

  py::module_ codes = m.def_submodule("codes", "The stable codes of diagnostics; tools may rely on them.");
  const std::pair<const char*, const char*> kCodes[] = {
      {"MALFORMED_XML", l3xml::codes::kMalformedXml},
      {"MISSING_FILE", l3xml::codes::kMissingFile},
      {"MISSING_TEMPLATE", l3xml::codes::kMissingTemplate},
      {"NO_TARGET", l3xml::codes::kNoTarget},
      {"UNRESOLVED_REFERENCE", l3xml::codes::kUnresolvedReference},
      {"UNKNOWN_TYPE", l3xml::codes::kUnknownType},
      {"BAD_ENUM", l3xml::codes::kBadEnum},
      {"BAD_BOOLEAN", l3xml::codes::kBadBoolean},
      {"OUT_OF_RANGE", l3xml::codes::kOutOfRange},
      {"BAD_BINARY", l3xml::codes::kBadBinary},
      {"LINE_TOO_LONG", l3xml::codes::kLineTooLong},
      {"TOO_DEEP", l3xml::codes::kTooDeep},
      {"ASSOCIATION_UNBOUND", l3xml::codes::kAssociationUnbound},
      {"DUPLICATE_PARAMETER", l3xml::codes::kDuplicateParameter},
      {"UNUSED_PARAMETER", l3xml::codes::kUnusedParameter},
      {"AMBIGUOUS_PIXIT", l3xml::codes::kAmbiguousPixit},
      {"SHADOWED_TEMPLATE", l3xml::codes::kShadowedTemplate},
      {"NO_FRAMEWORK", l3xml::codes::kNoFramework},
      {"BAD_SELECTOR", l3xml::codes::kBadSelector},
      {"WRITE_FAILED", l3xml::codes::kWriteFailed},
      {"REFUSED_NAME", l3xml::codes::kRefusedName},
      {"BAD_VALUE", l3xml::codes::kBadValue},
      {"LIBRARY", l3xml::codes::kLibrary},
      {"INTERNAL_ERROR", l3xml::codes::kInternal},
  };
  for (const auto& [name, code] : kCodes) codes.attr(name) = code;
}

void bindLocations(py::module_& m) {
  py::class_<l3xml::Position>(m, "Position", "A place in a file: line and column from 1, 0 when unknown.")
      .def_readonly("file", &l3xml::Position::file)
      .def_readonly("line", &l3xml::Position::line)
      .def_readonly("column", &l3xml::Position::column)
      .def("__repr__", &positionRepr);

  py::enum_<l3xml::Base>(m, "Base", "The base folder a place of the search list stands on.")
      .value("SYSTEM", l3xml::Base::kSystem)
      .value("USER", l3xml::Base::kUser)
      .value("FIXED_FOLDER", l3xml::Base::kFixedFolder);

  using l3xml::Location;
  py::class_<Location>(m, "Location", "Where the framework's lookup finds a file; os.fspath() gives its path.")
      .def_readonly("path", &Location::path)
      .def_readonly("base", &Location::base)
      .def_readonly("folder", &Location::folder, "The folders between base and file, joined by '/'.")
      .def_readonly("cell", &Location::cell, "The cell folder it lies in, or ''.")
      .def_readonly("candidate", &Location::candidate, "Its place in the search list, 1 to 12.")
      .def_readonly("working_copy", &Location::workingCopy, "A copy the library wrote, not a template.")
      .def("__fspath__", [](const Location& l) { return l.path; })
      .def("__repr__", [](const Location& l) {
        return "<Location " + quoted(l.path) + (l.workingCopy ? " (working copy)>" : ">");
      });

  using l3xml::TemplateEntry;
  py::class_<TemplateEntry>(m, "TemplateEntry",
                            "One template of the search folders: a file name and the cell whose search list\n"
                            "finds it.")
      .def_readonly("name", &TemplateEntry::name)
      .def_readonly("cell", &TemplateEntry::cell)
      .def_readonly("area", &TemplateEntry::area, "'PrimaryCell', 'SecondaryCell' or 'NASMessage'.")
      .def_readonly("location", &TemplateEntry::location)
      .def_readonly("hidden", &TemplateEntry::hidden, "Templates of the same name later in the list.")
      .def_property_readonly("label", &TemplateEntry::label, "'area/name'.")
      .def("__repr__", [](const TemplateEntry& e) { return "<TemplateEntry " + e.label() + ">"; });

  using l3xml::WorkingCopy;
  py::class_<WorkingCopy>(m, "WorkingCopy", "A working copy the library wrote, and the template it stands for.")
      .def_readonly("name", &WorkingCopy::name)
      .def_readonly("cell", &WorkingCopy::cell)
      .def_readonly("path", &WorkingCopy::path)
      .def_property_readonly(
          "template", [](const WorkingCopy& w) { return noneIfEmpty(w.template_); },
          "The template's path; None when there is none any more.")
      .def("__fspath__", [](const WorkingCopy& w) { return w.path; })
      .def("__repr__", [](const WorkingCopy& w) { return "<WorkingCopy " + quoted(w.path) + ">"; });
}

void bindCampaign(py::module_& m) {
  using l3xml::Parameter;
  py::class_<Parameter>(m, "Parameter", "One PIXIT parameter of a campaign.")
      .def_readonly("name", &Parameter::name)
      .def_readonly("type", &Parameter::type)
      .def_readonly("value", &Parameter::value, "The value as read.")
      .def_readonly("converted", &Parameter::converted,
                    "The value after the load's conversion of Boolean and Enum values: what\n"
                    "references resolve to.")
      .def_readonly("group", &Parameter::group)
      .def_readonly("unit", &Parameter::unit)
      .def_readonly("comment", &Parameter::comment)
      .def_readonly("cell", &Parameter::cell)
      .def_readonly("templates", &Parameter::files, "The message files its comment names.")
      .def_readonly("position", &Parameter::position, "Its element in the PIXIT file.")
      .def("__repr__", [](const Parameter& p) {
        return "<Parameter " + p.name + " = " + quoted(p.converted) +
               (p.converted != p.value ? " (" + quoted(p.value) + ")" : std::string()) + ">";
      });

  using l3xml::TypeDefinition;
  py::class_<TypeDefinition>(m, "TypeDefinition", "One type definition of the type file.")
      .def_property_readonly("name", [](const TypeDefinition& t) { return t.record.name; })
      .def_property_readonly("base_type", [](const TypeDefinition& t) { return t.record.basetype; })
      .def_property_readonly("type", [](const TypeDefinition& t) { return t.record.type; })
      .def_property_readonly("min_value", [](const TypeDefinition& t) { return t.record.minValue; })
      .def_property_readonly("max_value", [](const TypeDefinition& t) { return t.record.maxValue; })
      .def_property_readonly(
          "enumerators",
          [](const TypeDefinition& t) {
            py::dict enumerators;
            const std::vector<std::string>& names = t.record.enumValues;
            const std::vector<std::string>& numbers = t.record.enumNumericValues;
            for (std::size_t i = 0; i < names.size(); ++i) {
              enumerators[py::str(names[i])] = i < numbers.size() ? numbers[i] : std::string();
            }
            return enumerators;
          },
          "Enumerator names and the numbers they convert to.")
      .def_readonly("position", &TypeDefinition::position)
      .def("__repr__", [](const TypeDefinition& t) { return "<TypeDefinition " + t.record.name + ">"; });

  using l3xml::Binding;
  py::class_<Binding>(m, "Binding", "One binding of the association file, with the values it carries.")
      .def_readonly("parameter", &Binding::parameter)
      .def_readonly("node", &Binding::node)
      .def_readonly("type", &Binding::type)
      .def_readonly("file", &Binding::file)
      .def_readonly("cell", &Binding::cell)
      .def_readonly("converted", &Binding::converted, "The value it writes; '' when it writes nothing.")
      .def_readonly("written", &Binding::written, "Written into the working copy.")
      .def_readonly("position", &Binding::position)
      .def("__repr__",
           [](const Binding& b) { return "<Binding " + b.parameter + " -> " + b.file + ":" + b.node + ">"; });

  py::enum_<l3xml::AssociationMode>(m, "AssociationMode", "What a campaign's load does with the association file.")
      .value("SKIP", l3xml::AssociationMode::kSkip, "The association file is not read.")
      .value("READ", l3xml::AssociationMode::kRead, "Its bindings are read and converted; nothing is written.")
      .value("APPLY", l3xml::AssociationMode::kApply, "Each binding's value is written into its working copy.");

  py::class_<Campaign>(m, "Campaign",
                       "A campaign: the PIXIT parameters with their types and the association file's\n"
                       "bindings. A mapping from parameter name to Parameter, in name order:\n"
                       "campaign['px_T300'], 'px_T300' in campaign, len(campaign), iteration over names.")
      .def_readonly("pixit_file", &Campaign::pixitFile)
      .def_readonly("type_file", &Campaign::typeFile)
      .def_property_readonly(
          "association_file", [](const Campaign& c) { return noneIfEmpty(c.associationFile); },
          "The association file read; None when there is none or it was skipped.")
      .def_property_readonly(
          "parameters", [](const Campaign& c) { return c.parameters; }, "The parameters, in name order.")
      .def_property_readonly(
          "types", [](const Campaign& c) { return c.types; }, "The type definitions, in name order.")
      .def_property_readonly(
          "bindings", [](const Campaign& c) { return c.bindings; }, "The association bindings, in file order.")
      .def("__getitem__", &parameterOf, py::arg("name"))
      .def("__contains__", [](const Campaign& c, const std::string& name) { return c.parameter(name) != nullptr; })
      .def("__len__", [](const Campaign& c) { return c.parameters.size(); })
      .def("__iter__",
           [](const Campaign& c) {
             std::vector<std::string> names;
             for (const l3xml::Parameter& p : c.parameters) names.push_back(p.name);
             return py::iter(py::cast(names));
           })
      .def(
          "get",
          [](const Campaign& c, const std::string& name, py::object fallback) {
            const l3xml::Parameter* parameter = c.parameter(name);
            return parameter != nullptr ? py::cast(*parameter) : fallback;
          },
          py::arg("name"), py::arg("default") = py::none(), "The parameter of that name, or default.")
      .def(
          "keys",
          [](const Campaign& c) {
            std::vector<std::string> names;
            for (const l3xml::Parameter& p : c.parameters) names.push_back(p.name);
            return names;
          },
          "The parameter names, in name order.")
      .def(
          "values", [](const Campaign& c) { return c.parameters; }, "The parameters, in name order.")
      .def(
          "items",
          [](const Campaign& c) {
            std::vector<std::pair<std::string, l3xml::Parameter>> items;
            for (const l3xml::Parameter& p : c.parameters) items.emplace_back(p.name, p);
            return items;
          },
          "(name, Parameter) pairs, in name order.")
      .def(
          "type",
          [](const Campaign& c, const std::string& name) -> py::object {
            const TypeDefinition* type = c.type(name);
            return type != nullptr ? py::cast(*type) : py::none();
          },
          py::arg("name"), "The type definition of that name, or None.")
      .def(
          "value_of",
          [](const Campaign& c, const std::string& reference) -> py::object {
            const std::optional<std::string> value = c.valueOf(reference);
            return textOrNone(value.has_value(), value.value_or(std::string()));
          },
          py::arg("reference"), "The value a PIXIT reference resolves to; None when no parameter has that name.")
      .def(
          "set",
          [](Campaign& c, const std::string& name, const std::string& value) {
            if (!c.set(name, value)) throw py::key_error(name);
          },
          py::arg("name"), py::arg("value"),
          "Changes a parameter's value as the framework would: the value references resolve to,\n"
          "written by apply(). KeyError when there is no such parameter.")
      .def(
          "copy", [](const Campaign& c) { return c; }, "An independent copy.")
      .def("__copy__", [](const Campaign& c) { return c; })
      .def(
          "__deepcopy__", [](const Campaign& c, py::object) { return c; }, py::arg("memo"))
      .def("__repr__", [](const Campaign& c) {
        return "<Campaign " + quoted(c.pixitFile) + ": " + std::to_string(c.parameters.size()) + " parameters>";
      });
}

void bindTemplates(py::module_& m) {
  py::enum_<l3xml::NodeKind>(m, "NodeKind", "What the flattening makes of an element, decided on its name.")
      .value("CHOICE", l3xml::NodeKind::kChoice)
      .value("OPTIONAL", l3xml::NodeKind::kOptional)
      .value("SEQUENCE", l3xml::NodeKind::kSequence)
      .value("OTHER", l3xml::NodeKind::kOther);

  py::class_<NodeRef>(m, "Node",
                      "An element of a template's tree. Iterating a node gives its element children;\n"
                      "node['name'] is the child of that local name.")
      .def_property_readonly(
          "name", [](const NodeRef& n) { return n.node->name; }, "As written, prefix included.")
      .def_property_readonly("local_name", [](const NodeRef& n) { return n.node->localName; })
      .def_property_readonly("kind", [](const NodeRef& n) { return n.node->kind; })
      .def_property_readonly(
          "text", [](const NodeRef& n) { return n.node->text; },
          "A leaf's text as the library reads it; '' for an element with element children.")
      .def_property_readonly(
          "path", [](const NodeRef& n) { return n.node->path; },
          "The dotted path that reaches it (a name, or [N] where the name is not unique).")
      .def_property_readonly(
          "position",
          [](const NodeRef& n) {
            return l3xml::Position{n.tree->path, n.node->line, n.node->column};
          },
          "Its place in the template file.")
      .def_property_readonly("children", &childrenOf, "Its element children.")
      .def_property_readonly("leaf", [](const NodeRef& n) { return n.node->leaf(); })
      .def_property_readonly(
          "reference",
          [](const NodeRef& n) -> py::object {
            return textOrNone(n.node->leaf() && l3xml::isPixitReference(n.node->text), n.node->text);
          },
          "The PIXIT parameter its text refers to, or None.")
      .def("__iter__", [](const NodeRef& n) { return py::iter(py::cast(childrenOf(n))); })
      .def("__len__", [](const NodeRef& n) { return n.node->children.size(); })
      .def(
          "__getitem__",
          [](const NodeRef& n, const std::string& localName) {
            for (const l3xml::Node& child : n.node->children) {
              if (child.localName == localName) return NodeRef{n.tree, &child};
            }
            throw py::key_error(localName);
          },
          py::arg("local_name"))
      .def("__repr__", &nodeRepr);

  using l3xml::Reference;
  py::class_<Reference>(m, "Reference", "A node whose text is a PIXIT reference: it stands for the whole node.")
      .def_readonly("parameter", &Reference::parameter)
      .def_readonly("path", &Reference::path)
      .def_readonly("line", &Reference::line)
      .def_readonly("column", &Reference::column)
      .def("__repr__", [](const Reference& r) { return "<Reference " + r.path + " -> " + r.parameter + ">"; });

  using Tree = l3xml::Template;
  py::class_<Tree, std::shared_ptr<Tree>>(m, "TemplateTree", "A template read into a tree; l3xml.Template wraps it.")
      .def_readonly("name", &Tree::name)
      .def_readonly("path", &Tree::path)
      .def_property_readonly("type", &Tree::type)
      .def_property_readonly("root",
                             [](const std::shared_ptr<Tree>& t) {
                               return NodeRef{t, &t->root};
                             })
      .def_readonly("references", &Tree::references);

  using l3xml::Change;
  py::class_<Change>(m, "Change", "A value or element that differs between two states of a template.")
      .def_readonly("path", &Change::path)
      .def_readonly("before", &Change::before)
      .def_readonly("after", &Change::after)
      .def("__repr__", [](const Change& c) {
        return "<Change " + c.path + ": " + quoted(c.before) + " -> " + quoted(c.after) + ">";
      });

  using l3xml::Changes;
  py::class_<Changes>(m, "Changes",
                      "What a write changed: the working copy it wrote and the differences from what\n"
                      "stood before. Iterating gives the Change objects; len() counts them.")
      .def_readonly("file", &Changes::file)
      .def_readonly("working_copy", &Changes::workingCopy)
      .def_readonly("changes", &Changes::changes)
      .def_readonly("baseline", &Changes::baseline)
      .def("__len__", [](const Changes& c) { return c.changes.size(); })
      .def("__iter__", [](const Changes& c) { return py::iter(py::cast(c.changes)); })
      .def("__repr__", [](const Changes& c) {
        return "<Changes " + c.file + ": " + std::to_string(c.changes.size()) + " in " + quoted(c.workingCopy) + ">";
      });

  using l3xml::Reach;
  py::class_<Reach>(m, "Reach", "One place that a PIXIT parameter reaches.")
      .def_readonly("template", &Reach::templateName)
      .def_readonly("cell", &Reach::cell)
      .def_readonly("how", &Reach::how, "'comment', 'placeholder' or 'association'.")
      .def_readonly("path", &Reach::path)
      .def_readonly("part", &Reach::part, "The piece of the flattened line that the field gives.")
      .def_readonly("position", &Reach::position)
      .def("__repr__", [](const Reach& r) { return "<Reach " + r.templateName + " " + r.path + " (" + r.how + ")>"; });

  using l3xml::FieldDifference;
  py::class_<FieldDifference>(m, "FieldDifference", "A field whose value differs between two campaigns.")
      .def_readonly("template", &FieldDifference::templateName)
      .def_readonly("cell", &FieldDifference::cell)
      .def_readonly("path", &FieldDifference::path)
      .def_readonly("before", &FieldDifference::before)
      .def_readonly("after", &FieldDifference::after)
      .def("__repr__", [](const FieldDifference& d) {
        return "<FieldDifference " + d.templateName + " " + d.path + ": " + quoted(d.before) + " -> " +
               quoted(d.after) + ">";
      });
}

// The operations return (value or None, [Diagnostic]); l3xml.Framework decides what to raise.
void bindFramework(py::module_& m) {
  py::class_<Framework>(m, "Framework", "The framework of the modern interface; l3xml.Framework wraps it.")
      .def(py::init([](const std::string& system, const std::string& user, const std::string& cell,
                       const std::string& work) {
             return Framework(l3xml::Folders{system, user, cell, work});
           }),
           py::arg("system"), py::arg("user"), py::arg("cell"), py::arg("work"))
      .def_property_readonly("system", [](const Framework& f) { return f.folders().system; })
      .def_property_readonly("user", [](const Framework& f) { return f.folders().user; })
      .def_property_readonly("cell", [](const Framework& f) { return f.folders().cell; })
      .def_property_readonly("work", [](const Framework& f) { return f.folders().work; })
      .def("with_cell", &Framework::withCell, py::arg("cell"))
      .def(
          "find", [](const Framework& f, const std::string& name) { return optionalLocation(f.find(name)); },
          py::arg("name"))
      .def(
          "find_template",
          [](const Framework& f, const std::string& name) { return optionalLocation(f.findTemplate(name)); },
          py::arg("name"))
      .def(
          "working_copy_path",
          [](const Framework& f, const std::string& name) { return noneIfEmpty(f.workingCopyPath(name)); },
          py::arg("name"))
      .def("templates", &Framework::templates)
      .def("pixit_files", &Framework::pixitFiles)
      .def(
          "type_file", [](const Framework& f, const std::string& pixit) { return optionalLocation(f.typeFile(pixit)); },
          py::arg("pixit"))
      .def("association_file", [](const Framework& f) { return optionalLocation(f.associationFile()); })
      .def(
          "load_campaign",
          [](const Framework& f, const std::string& pixit, const std::string& types, l3xml::AssociationMode mode) {
            return outcome(f.loadCampaign(campaignOptions(pixit, types, mode)));
          },
          py::arg("pixit"), py::arg("types"), py::arg("association"))
      .def(
          "load_template",
          [](const Framework& f, const std::string& name) {
            return outcome(f.loadTemplate(name), [](l3xml::Template&& tree) {
              return py::cast(std::make_shared<l3xml::Template>(std::move(tree)));
            });
          },
          py::arg("name"))
      .def(
          "read_template",
          [](const Framework& f, const std::string& path) {
            return outcome(f.readTemplate(path), [](l3xml::Template&& tree) {
              return py::cast(std::make_shared<l3xml::Template>(std::move(tree)));
            });
          },
          py::arg("path"))
      .def(
          "flatten",
          [](const Framework& f, const std::string& name, const Campaign* campaign) {
            return outcome(f.flatten(name, campaign),
                           [](l3xml::FlatLine&& line) { return py::cast(std::move(line.text)); });
          },
          py::arg("name"), py::arg("campaign"))
      .def(
          "get",
          [](const Framework& f, const std::string& name, const std::string& selector, const Campaign* campaign) {
            return outcome(f.get(name, selector, campaign));
          },
          py::arg("name"), py::arg("selector"), py::arg("campaign"))
      .def(
          "message_type", [](const Framework& f, const std::string& name) { return outcome(f.messageType(name)); },
          py::arg("name"))
      .def(
          "set",
          [](const Framework& f, const std::string& name, const std::string& selector, const std::string& value,
             std::optional<long> index) { return outcome(f.set(name, selector, value, index)); },
          py::arg("name"), py::arg("selector"), py::arg("value"), py::arg("index"))
      .def(
          "apply",
          [](const Framework& f, const Campaign& campaign, const std::string& name) {
            return outcome(f.apply(campaign, name));
          },
          py::arg("campaign"), py::arg("name"))
      .def(
          "rename",
          [](const Framework& f, const std::string& name, const std::string& oldName, const std::string& newName) {
            return outcome(f.rename(name, oldName, newName));
          },
          py::arg("name"), py::arg("old"), py::arg("new"))
      .def(
          "compare", [](const Framework& f, const std::string& name) { return outcome(f.compare(name)); },
          py::arg("name"))
      .def("working_copies", &Framework::workingCopies)
      .def(
          "remove_working_copy",
          [](const Framework& f, const std::string& name) { return outcome(f.removeWorkingCopy(name)); },
          py::arg("name"))
      .def(
          "check",
          [](const Framework& f, const std::string& pixit, const std::string& types) {
            return f.check(l3xml::CheckOptions{campaignOptions(pixit, types, l3xml::AssociationMode::kRead)});
          },
          py::arg("pixit"), py::arg("types"))
      .def(
          "impact",
          [](const Framework& f, const Campaign& campaign, const std::string& parameter) {
            return outcome(f.impact(campaign, parameter));
          },
          py::arg("campaign"), py::arg("parameter"))
      .def(
          "compare_campaigns",
          [](const Framework& f, const Campaign& before, const Campaign& after) {
            return outcome(f.compareCampaigns(before, after));
          },
          py::arg("before"), py::arg("after"));
}

}  // namespace

PYBIND11_MODULE(_l3xml, m) {
  m.doc() = "The binding of l3xml's modern C++ interface; use the l3xml package.";
  // The classes belong to the package that exports them: help() and reprs say l3xml.Campaign.
  const py::object name = m.attr("__name__");
  m.attr("__name__") = "l3xml";
  bindDiagnostics(m);
  bindLocations(m);
  bindCampaign(m);
  bindTemplates(m);
  bindFramework(m);
  m.attr("__name__") = name;
}
