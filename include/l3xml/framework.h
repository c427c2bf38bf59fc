// l3xml: the modern interface. A framework folder, its campaigns and templates as plain values;
// every operation returns its result with the diagnostics of the call, and no exception but
// std::bad_alloc leaves it.
//
// It runs the same code as the legacy interface of <l3xml/l3xml.h>, on state of its own: a call
// never changes the settings, maps or counters of the legacy entry points, and they never change
// its results. Like them, it serves one calling thread at a time.
#ifndef L3XML_FRAMEWORK_H
#define L3XML_FRAMEWORK_H

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <l3xml/diagnostic.h>
#include <l3xml/export.h>
#include <l3xml/l3xml.h>

namespace l3xml {

inline constexpr const char* kPrimaryCell = "PrimaryCell";
inline constexpr const char* kSecondaryCell = "SecondaryCell";
inline constexpr const char* kNasMessage = "NASMessage";

// The four settings of a framework, as the host gives them to the legacy interface.
struct Folders {
  std::string system;               // the framework's (system) folder
  std::string user;                 // the user's folder, searched before the system folder; may be empty
  std::string cell = kPrimaryCell;  // "SecondaryCell" selects the secondary search list
  std::string work;                 // where working copies go; empty: the system folder
};

// Which base folder a candidate of the search list stands on.
enum class Base { kSystem, kUser, kFixedFolder };

// Where the lookup finds a file.
struct Location {
  std::string path;  // the full path, as the lookup builds it
  Base base = Base::kSystem;
  std::string folder;        // the folders between base and file name, joined by '/' ("RRCMessage/PrimaryCell")
  std::string cell;          // the cell folder it lies in, or empty
  int candidate = 0;         // its place in the search list, 1 to 12
  bool workingCopy = false;  // a copy the library wrote (a temp folder), not a template
};

// One template of the search folders, as the lookup takes it: a file name and the cell whose
// search list finds it.
struct TemplateEntry {
  std::string name;
  std::string cell;
  std::string area;              // "PrimaryCell", "SecondaryCell" or "NASMessage"
  Location location;             // the template itself (working copies left out)
  std::vector<Location> hidden;  // templates of the same name that it hides, later in the list

  std::string label() const { return area + "/" + name; }
};

// A place in a file: line and column from 1, 0 when the backend does not know it.
struct Position {
  std::string file;
  long line = 0;
  long column = 0;
};

// One PIXIT parameter of a campaign.
struct Parameter {
  std::string name;
  std::string type;
  std::string value;      // as read
  std::string converted;  // after the load's conversion of Boolean and Enum values
  std::string group;
  std::string unit;
  std::string comment;
  std::string cell;
  std::vector<std::string> files;  // the message files its comment names, cut as the library cuts the list
  Position position;               // its element in the PIXIT file
};

// One type definition of the type file.
struct TypeDefinition {
  ParamStructure record;  // name, basetype, minValue, maxValue, type, enumerators
  Position position;
};

// One binding element of the association file, with the values it carries (a binding that omits
// an attribute takes the last one given before it).
struct Binding {
  std::string parameter;
  std::string node;
  std::string type;
  std::string file;
  std::string cell;
  std::string converted;  // the value it writes; empty when it writes nothing
  bool written = false;   // written into the working copy
  Position position;
};

enum class AssociationMode {
  kSkip,   // the association file is not read
  kRead,   // its bindings are read and converted; nothing is written
  kApply,  // as the load entry does: each binding's value is written into its working copy
};

struct CampaignOptions {
  std::string pixitFile;  // a path; empty: the one PIXIT file at the framework's root
  std::string typeFile;   // a path or a name the lookup finds; empty: the one the PIXIT file's name chooses
  AssociationMode association = AssociationMode::kRead;
};

// A campaign: the PIXIT parameters with their types and the association file's bindings.
struct Campaign {
  std::string pixitFile;
  std::string typeFile;
  std::string associationFile;        // empty when there is none
  std::vector<Parameter> parameters;  // in name order; a name defined twice keeps its first definition
  std::vector<TypeDefinition> types;  // in name order
  std::vector<Binding> bindings;      // in file order
  // The lists as the legacy load gives them to the host: the PIXIT records with converted values,
  // and the type records.
  std::map<std::string, ParamStructure> values;
  std::map<std::string, ParamStructure> typeList;

  L3XML_API const Parameter* parameter(const std::string& name) const;
  L3XML_API const TypeDefinition* type(const std::string& name) const;
  // The value a PIXIT reference resolves to; none when no parameter has that name.
  L3XML_API std::optional<std::string> valueOf(const std::string& reference) const;
  // Changes a parameter's value as the framework would (the converted value); false when absent.
  L3XML_API bool set(const std::string& name, const std::string& value);
  // The "px_" parameters by the message files their comments name, as apply writes them: in name
  // order, once for each time a comment names the file.
  L3XML_API std::multimap<std::string, std::string> parametersByFile() const;
};

// What the flattening makes of an element, decided on its name as written.
enum class NodeKind { kChoice, kOptional, kSequence, kOther };

L3XML_API NodeKind kindOf(const std::string& elementName);
// "choice", "optional", "sequence" or "element".
L3XML_API const char* kindName(NodeKind kind);
// The candidate nearest to word by edit distance (letter case aside), when it is near enough to be
// a likely slip of the keyboard; empty otherwise.
L3XML_API std::string nearestName(const std::string& word, const std::vector<std::string>& candidates);
// A text that the library reads as a PIXIT reference: "px_" and no space.
L3XML_API bool isPixitReference(const std::string& text);

// An element of a template.
struct Node {
  std::string name;       // as written, prefix included
  std::string localName;  // without the prefix
  NodeKind kind = NodeKind::kOther;
  std::string text;  // a leaf's text as the library reads it; empty for an element with element children
  std::string path;  // the dotted path that reaches it (a name, or [N] where the name is not unique)
  long line = 0;
  long column = 0;
  long place = 0;                         // its place, from 1, among the nodes listed under its parent
  long listed = 0;                        // the nodes listed under it: elements, texts, comments...
  std::vector<std::string> textChildren;  // its text and CDATA children as written
  std::vector<Node> children;             // its element children

  bool leaf() const { return children.empty(); }

  Node() = default;
  Node(const Node&) = default;  // copies the subtree, one level of recursion per level of it
  Node(Node&&) noexcept = default;
  Node& operator=(const Node&) = default;
  Node& operator=(Node&&) noexcept = default;
  // Takes the subtree apart without recursion, so that a template thousands of levels deep never
  // exhausts the stack when it goes.
  L3XML_API ~Node();
};

// A node whose text the flattening reads as a PIXIT reference: it stands for the whole node.
struct Reference {
  std::string parameter;
  std::string path;
  long line = 0;
  long column = 0;
};

// A loaded template: a read-only tree.
struct Template {
  std::string name;
  std::string path;  // the file it was read from
  Node root;
  std::vector<Reference> references;  // in document order

  // The message type: the root element's local name.
  const std::string& type() const { return root.localName; }
};

// A piece of a flattened line and the element it comes from (empty path: the root's name).
struct Token {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string path;
};

struct FlatLine {
  std::string text;
  std::vector<Token> tokens;
};

// A value or element that differs between two states of a template.
struct Change {
  std::string path;
  std::string before;
  std::string after;
};

// What a write changed: the working copy it wrote and the differences from what stood before.
struct Changes {
  std::string file;
  std::string workingCopy;
  std::vector<Change> changes;
  // The file the changes are counted from: the working copy as it stood before the write, or the
  // template where there was none; empty when it could not be read.
  std::string baseline;
};

// A working copy the library wrote, and the template it stands for.
struct WorkingCopy {
  std::string name;
  std::string cell;  // the cell whose search list reads it; empty for temp itself
  std::string path;
  std::string template_;  // the template itself; empty when there is none any more
};

// Campaign checking: which campaign to judge the templates against. With no PIXIT file named, the
// one at the framework's root; with several there, the templates alone are judged. The association
// file is judged unless the association mode is kSkip; nothing is ever written into the framework.
struct CheckOptions {
  CampaignOptions campaign;
};

// What campaign checking decides where the framework leaves validity open, code by code, wrapped
// for a terminal: the text that the command line's help for check quotes.
L3XML_API const char* checkingRules();

// One place that a PIXIT parameter reaches.
struct Reach {
  std::string templateName;
  std::string cell;   // the cell whose search list finds it; empty for a file that no search folder holds
  std::string area;   // "PrimaryCell", "SecondaryCell" or "NASMessage", as TemplateEntry::area
  std::string how;    // "comment", "placeholder" or "association"
  std::string path;   // the field; empty when the template holds none that takes the value
  std::string part;   // the piece of the flattened line that the field gives
  Position position;  // the field in the template, or the entry that names the template
};

// A field whose value differs between two campaigns.
struct FieldDifference {
  std::string templateName;
  std::string cell;
  std::string area;
  std::string path;
  std::string before;
  std::string after;
};

// A framework folder: the search list over it, its campaigns and templates, and writes into
// working copies. A plain value; copies are independent.
class L3XML_API Framework {
 public:
  Framework() = default;
  explicit Framework(Folders folders);

  const Folders& folders() const { return folders_; }
  // The same framework with another current cell.
  Framework withCell(const std::string& cell) const;

  // Where the lookup finds fileName, working copies first as the library reads them; nothing
  // when it is nowhere.
  std::optional<Location> find(const std::string& fileName) const;
  // The template itself: the lookup with the working-copy folders left out.
  std::optional<Location> findTemplate(const std::string& fileName) const;
  // Where a write into fileName goes; empty when the lookup finds no such file.
  std::string workingCopyPath(const std::string& fileName) const;
  // Every template of the search folders of both cells, primary cell first, then secondary
  // cell, then NAS messages (which take the current cell), each in name order.
  std::vector<TemplateEntry> templates() const;
  // The template that a file of the framework stands for, told by where the file lies: its base,
  // the folders between base and file ('/'-joined: "RRCMessage/SecondaryCell") and its name. The
  // entry has the cell whose search list holds that folder (the current cell first) and where that
  // list reads the name from, which is another file when one stands before it; nothing when no
  // search list holds the folder.
  std::optional<TemplateEntry> templateIn(Base base, const std::string& folder, const std::string& fileName) const;
  // Whether the lookup of fileName reads path once path exists: false when no candidate of the
  // search list is path, or an existing file stands before it (a NAS message's working copy comes
  // after the NASMessage folders; a work folder other than the system folder is never searched).
  bool readsBack(const std::string& fileName, const std::string& path) const;

  // The files at the framework's root that hold PIXIT parameters, in name order.
  std::vector<std::string> pixitFiles() const;
  // The type file that goes with a PIXIT file (chosen by its name) where the lookup finds it.
  std::optional<Location> typeFile(const std::string& pixitFile) const;
  // "AssociationFile.xml" where the lookup finds it.
  std::optional<Location> associationFile() const;

  // Reads a campaign; with AssociationMode::kApply its bindings are written into working copies.
  Result<Campaign> loadCampaign(const CampaignOptions& options = {}) const;

  // The file the lookup finds for fileName (a working copy, if one stands first), as a tree.
  Result<Template> loadTemplate(const std::string& fileName) const;
  // A template file named by its path, read without the lookup.
  Result<Template> readTemplate(const std::string& path) const;

  // The flattened line of what the lookup finds for fileName, PIXIT references resolved from
  // the campaign, as ParseXML gives it (with a brace counter of its own, starting at 0); with
  // tokens, each piece of the line names its element.
  Result<FlatLine> flatten(const std::string& fileName, const Campaign* campaign = nullptr, bool tokens = false) const;
  // The values GetVals reads: of every element named selector, or at a dotted path. A selector
  // that selects no element, or an element that holds elements rather than a value, is an error
  // (where GetVals would answer with a path component or an empty text).
  Result<std::vector<std::string>> get(const std::string& fileName, const std::string& selector,
                                       const Campaign* campaign = nullptr) const;
  // The message type as getXmlType tells it.
  Result<std::string> messageType(const std::string& fileName) const;

  // SetVal into the working copy of fileName; with an index, only that selected node's text
  // changes and the working copy is trimmed after its last '>'. A selector that selects nothing
  // is an error, and so is an index with a dotted path (which names one element).
  Result<Changes> set(const std::string& fileName, const std::string& selector, const std::string& value,
                      std::optional<long> index = std::nullopt) const;
  // Writes every parameter whose comment names fileName into it, as isFileNamePresentinMultiMap.
  Result<Changes> apply(const Campaign& campaign, const std::string& fileName) const;
  // apply with the campaign's parametersByFile() made once beforehand, for writing many templates.
  Result<Changes> apply(const Campaign& campaign, const std::string& fileName,
                        const std::multimap<std::string, std::string>& parametersByFile) const;
  // UpdateNodeName: the text rewrite of fileName into its working copy under temp.
  Result<Changes> rename(const std::string& fileName, const std::string& oldName, const std::string& newName) const;
  // The differences between the template and its working copy (none when there is no copy).
  Result<Changes> compare(const std::string& fileName) const;

  // The working copies under the work folder, in the order of templates().
  std::vector<WorkingCopy> workingCopies() const;
  // Removes the working copy of fileName, so that the template is read again; false when there
  // was none.
  Result<bool> removeWorkingCopy(const std::string& fileName) const;

  // Reads every template of the search folders, the PIXIT, type and association files, and
  // reports every problem it finds (the codes of l3xml::codes, by file, line and column; the rules
  // are checkingRules()). It changes nothing: what applying the campaign would give is worked out
  // on a temporary copy of the templates, removed before it returns.
  Diagnostics check(const CheckOptions& options = {}) const;
  // Every template and field that a parameter reaches: through its comment's file list, through
  // placeholders, through association bindings; each with the piece of the flattened line that the
  // field gives once the campaign is applied (on a temporary copy).
  Result<std::vector<Reach>> impact(const Campaign& campaign, const std::string& parameter) const;
  // Field by field, what changes in the templates between two campaigns, each applied on a
  // temporary copy as the host applies it; placeholders that no write replaces are compared as the
  // flattening resolves them. Association bindings are written from the values as read
  // (Parameter::value), as the load writes them.
  Result<std::vector<FieldDifference>> compareCampaigns(const Campaign& before, const Campaign& after) const;

 private:
  Folders folders_;
};

// The differences between two states of a template, by position.
L3XML_API std::vector<Change> compareTemplates(const Node& before, const Node& after);

}  // namespace l3xml

#endif  // L3XML_FRAMEWORK_H
