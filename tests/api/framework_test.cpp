// The modern interface over the example framework: lookup, campaign, trees, flattened lines,
// diagnostics and writes.
#include <gtest/gtest.h>

#include <filesystem>

#include <l3xml/framework.h>
#include <l3xml/l3xml.h>

#include "library_test.h"

namespace l3xml_test {
namespace {

namespace fs = std::filesystem;

class ModernApiTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    fs::copy(L3XML_EXAMPLE_FRAMEWORK, system, fs::copy_options::recursive);
    fs::remove_all(system + "/temp");
  }
  std::string file(const std::string& relative) const { return (fs::path(system) / relative).string(); }

  TempDir dir;
  std::string system = dir / "fw";
  l3xml::Framework framework{l3xml::Folders{system, "", l3xml::kPrimaryCell, ""}};
};

bool hasDiagnostic(const l3xml::Diagnostics& diagnostics, const std::string& code, long line = -1) {
  for (const l3xml::Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.code == code && (line < 0 || diagnostic.line == line)) return true;
  }
  return false;
}

TEST_F(ModernApiTest, FindsFilesAndTemplatesAsTheLookupDoes) {
  const std::optional<l3xml::Location> found = framework.find("RRCConnectionRelease.xml");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->path, nativePath(file("RRCMessage/PrimaryCell/RRCConnectionRelease.xml")));
  EXPECT_EQ(found->folder, "RRCMessage/PrimaryCell");
  EXPECT_EQ(found->cell, "PrimaryCell");
  EXPECT_EQ(found->candidate, 5);
  EXPECT_FALSE(framework.find("Nope.xml"));

  std::map<std::string, int> perArea;
  for (const l3xml::TemplateEntry& entry : framework.templates()) ++perArea[entry.area];
  EXPECT_EQ(perArea, (std::map<std::string, int>{{"NASMessage", 4}, {"PrimaryCell", 12}, {"SecondaryCell", 3}}));
  EXPECT_EQ(framework.pixitFiles(), std::vector<std::string>{nativePath(file("L3_WCDMA_PIXIT.xml"))});
  EXPECT_EQ(framework.workingCopyPath("ActiveSetUpdate.xml"), nativePath(file("temp/PrimaryCell/ActiveSetUpdate.xml")));
}

TEST_F(ModernApiTest, LoadsACampaignWithPositionsAndConversions) {
  const l3xml::Result<l3xml::Campaign> campaign = framework.loadCampaign();
  ASSERT_TRUE(campaign) << campaign.diagnostics().front().message;
  EXPECT_EQ(campaign->parameters.size(), 39u);
  const l3xml::Parameter* cause = campaign->parameter("px_ReleaseCause");
  ASSERT_NE(cause, nullptr);
  EXPECT_EQ(cause->value, "normalEvent");
  EXPECT_EQ(cause->converted, "0");
  EXPECT_EQ(cause->files, std::vector<std::string>{"RRCConnectionRelease.xml"});
  EXPECT_EQ(cause->position.line, kPositionsKnown ? 7 : 0);
  EXPECT_EQ(cause->position.column, kPositionsKnown ? 3 : 0);
  EXPECT_FALSE(campaign->bindings.empty());
  EXPECT_EQ(campaign->bindings.front().position.line > 0, kPositionsKnown);
  EXPECT_FALSE(campaign->bindings.front().written);
  EXPECT_FALSE(fs::exists(file("temp")));  // reading the association file writes nothing
}

// Every template of the example flattens through the modern interface as ParseXML flattens it.
TEST_F(ModernApiTest, FlattenedLinesEqualTheLegacyOnes) {
  const l3xml::Result<l3xml::Campaign> campaign = framework.loadCampaign({"", "", l3xml::AssociationMode::kSkip});
  ASSERT_TRUE(campaign);
  setFrameworkSourcepath_WCDMA(system.c_str());
  std::string work = system;
  SetXMLParserSourcePath_WCDMA(work.data());
  std::map<std::string, ParamStructure> pixit;
  std::map<std::string, ParamStructure> types;
  ASSERT_TRUE(ReadParameterFileWrapper_WCDMA(campaign->pixitFile.c_str(), &pixit, &types, false));
  CXMLParser parser;
  parser.updateParparameterList(&pixit);
  for (const l3xml::TemplateEntry& entry : framework.templates()) {
    setLowCellName_WCDMA(entry.cell.c_str());
    const l3xml::Result<l3xml::FlatLine> line = framework.withCell(entry.cell).flatten(entry.name, &*campaign, true);
    ASSERT_TRUE(line) << entry.label();
    EXPECT_EQ(line->text, parser.ParseXML(entry.name)) << entry.label();
    ASSERT_FALSE(line->tokens.empty());
    EXPECT_EQ(line->text.substr(0, line->tokens.front().end), line->text.substr(0, line->text.find(' ') + 1));
  }
}

TEST_F(ModernApiTest, TemplateTreeHasKindsPathsReferencesAndPositions) {
  const l3xml::Result<l3xml::Template> tree = framework.loadTemplate("RRCConnectionRelease.xml");
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->type(), "RRCConnectionRelease");
  const l3xml::Node& choice = tree->root.children.at(1);
  EXPECT_EQ(choice.kind, l3xml::NodeKind::kChoice);
  EXPECT_EQ(choice.path, "RRCConnectionRelease.c1");
  EXPECT_EQ(choice.line > 1, kPositionsKnown);
  ASSERT_EQ(tree->references.size(), 2u);
  EXPECT_EQ(tree->references[0].parameter, "px_RRC_TransactionId");
  EXPECT_EQ(tree->references[0].path, "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.rrc-TransactionIdentifier");
}

TEST_F(ModernApiTest, FailuresComeWithTheirDiagnostics) {
  writeFile(file("RRCMessage/PrimaryCell/Broken.xml"), "<M>\n  <a>px_Nowhere</a>\n</M>\n");
  writeFile(file("RRCMessage/PrimaryCell/Bad.xml"), "<M>\n  <a>1</b>\n</M>\n");
  const l3xml::Result<l3xml::Campaign> campaign = framework.loadCampaign({"", "", l3xml::AssociationMode::kSkip});
  const l3xml::Result<l3xml::FlatLine> unresolved = framework.flatten("Broken.xml", &*campaign);
  EXPECT_TRUE(unresolved.has_value());
  EXPECT_FALSE(unresolved.ok());
  EXPECT_TRUE(hasDiagnostic(unresolved.diagnostics(), l3xml::codes::kUnresolvedReference, kPositionsKnown ? 2 : 0));

  const l3xml::Result<l3xml::FlatLine> malformed = framework.flatten("Bad.xml");
  EXPECT_FALSE(malformed.has_value());
  EXPECT_TRUE(hasDiagnostic(malformed.diagnostics(), l3xml::codes::kMalformedXml, underEmulatedService() ? 0 : 2));
  EXPECT_TRUE(hasDiagnostic(framework.flatten("Nope.xml").diagnostics(), l3xml::codes::kMissingFile));
  EXPECT_TRUE(
      hasDiagnostic(framework.set("ActiveSetUpdate.xml", "noSuchNode", "1").diagnostics(), l3xml::codes::kBadSelector));

  // Trees and lines go as deep as the flattening: 10,000 levels, walked, compared and destroyed
  // without recursion, even under the sanitizers.
  if (underEmulatedService()) return;  // it loads no document nested deeper than 257 levels
  std::string deep = "<M>";
  for (int i = 0; i < 10000; ++i) deep += "<e>";
  deep += "7";
  for (int i = 0; i < 10000; ++i) deep += "</e>";
  writeFile(file("RRCMessage/PrimaryCell/Deep.xml"), deep + "</M>");
  const l3xml::Result<l3xml::Template> tree = framework.loadTemplate("Deep.xml");
  ASSERT_TRUE(tree);
  EXPECT_TRUE(l3xml::compareTemplates(tree->root, tree->root).empty());
  EXPECT_EQ(framework.flatten("Deep.xml")->text, "M 7 ");
  writeFile(file("RRCMessage/PrimaryCell/Deeper.xml"), "<e>" + deep + "</M></e>");
  EXPECT_TRUE(hasDiagnostic(framework.loadTemplate("Deeper.xml").diagnostics(), l3xml::codes::kTooDeep));
}

TEST_F(ModernApiTest, WritesReturnWhatTheyChanged) {
  const std::string templatePath = file("RRCMessage/PrimaryCell/RRCConnectionRelease.xml");
  const std::string before = readFile(templatePath);
  const l3xml::Result<l3xml::Changes> set = framework.set("RRCConnectionRelease.xml", "n-308", "5");
  ASSERT_TRUE(set);
  ASSERT_EQ(set->changes.size(), 1u);
  EXPECT_EQ(set->changes[0].path, "RRCConnectionRelease.c1.r3.rrcConnectionRelease-r3.optN-308.n-308");
  EXPECT_EQ(set->changes[0].before, "2");
  EXPECT_EQ(set->changes[0].after, "5");

  const l3xml::Result<l3xml::Campaign> campaign = framework.loadCampaign({"", "", l3xml::AssociationMode::kSkip});
  const l3xml::Result<l3xml::Changes> applied = framework.apply(*campaign, "RRCConnectionRelease.xml");
  ASSERT_TRUE(applied);
  EXPECT_EQ(applied->changes.size(), 2u);
  EXPECT_EQ(framework.compare("RRCConnectionRelease.xml")->changes.size(), 3u);
  EXPECT_EQ(readFile(templatePath), before);  // the template itself is never written
}

// apply loads and saves a working copy once for all its writes and copies the template only when
// nothing is saved; each file must end as the host's writes one after the other leave it: a
// selection holding an element fails alone, a bad value is refused, a dotted name is a path, a
// template that nothing selects is copied, a read-only one gives a read-only copy left unwritten.
TEST_F(ModernApiTest, ApplyEndsAsTheHostsWritesOneAfterTheOther) {
  const std::map<std::string, std::string> templates{
      {"Mixed.xml",
       "<M>\n <a>px_one</a>\n <b>px_one</b>\n <d>px_two</d>\n <c><x/>px_two</c>\n <e>px_bad</e>\n"
       " <f>px_three</f>\n <g>px_sub.g</g>\n</M>\n"},
      {"Plain.xml", "<M>\n\t<z>none</z></M>"},
      {"Locked.xml", "<M><a>px_one</a></M>"}};
  l3xml::Campaign campaign;
  for (const auto& [name, value] : std::map<std::string, std::string>{
           {"px_one", "1"}, {"px_two", "2"}, {"px_bad", "\x01"}, {"px_three", "<3>"}, {"px_sub.g", "7"}}) {
    ParamStructure& parameter = campaign.values[name];
    parameter.name = name;
    parameter.value = value;
    parameter.comment = "RRCMessage\\Mixed.xml,Plain.xml,Locked.xml";
  }
  for (const auto& [name, text] : templates) writeFile(file("RRCMessage/PrimaryCell/" + name), text);
  fs::permissions(file("RRCMessage/PrimaryCell/Locked.xml"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
  setFrameworkSourcepath_WCDMA(system.c_str());
  std::string work = system;
  SetXMLParserSourcePath_WCDMA(work.data());
  std::map<std::string, ParamStructure> values = campaign.values;
  CXMLParser host;
  host.updateParparameterList(&values);
  for (const auto& [name, text] : templates) {
    const std::string workingCopy = file("temp/PrimaryCell/" + name);
    EXPECT_EQ(host.isFileNamePresentinMultiMap(name), 0);
    const std::string oneByOne = readFile(workingCopy);
    const fs::perms mode = fs::status(workingCopy).permissions();
    fs::permissions(workingCopy, fs::perms::owner_write, fs::perm_options::add);  // Windows removes no read-only file
    fs::remove(workingCopy);
    (void)framework.apply(campaign, name, campaign.parametersByFile());
    EXPECT_EQ(readFile(workingCopy), oneByOne) << name;
    EXPECT_EQ(fs::status(workingCopy).permissions(), mode) << name;
  }
  EXPECT_NE(readFile(file("temp/PrimaryCell/Mixed.xml")).find("<d>px_two</d>"), std::string::npos);
  EXPECT_EQ(readFile(file("temp/PrimaryCell/Locked.xml")), templates.at("Locked.xml"));
  for (const char* locked : {"temp/PrimaryCell/Locked.xml", "RRCMessage/PrimaryCell/Locked.xml"}) {
    fs::permissions(file(locked), fs::perms::owner_write, fs::perm_options::add);
  }
}

}  // namespace
}  // namespace l3xml_test
