// The bytes that saving writes, and where it writes nothing.
#include "dom_conformance.h"

#include <filesystem>

#include "platform_expectations.h"
#include "test_files.h"

namespace l3xml_test {
namespace {

using l3xml::dom::failed;
using l3xml::dom::kOk;

TEST_P(XmlDomSaveTest, WritesTheServiceLayout) {
  // The emulated service keeps no whitespace-only content, and writes UTF-8 whatever encoding is
  // declared: these rows tell nothing about it.
  const std::string name = row().name;
  if (underEmulatedService() && (name == "WhitespaceOnlyElement" || name.rfind("Declared", 0) == 0)) {
    GTEST_SKIP() << "not shown by the emulated service";
  }
  TempDir dir;
  writeFile(dir / "in.xml", row().content);
  ASSERT_EQ(loadFile(dir / "in.xml")->save(dir / "out.xml"), kOk);
  EXPECT_EQ(layoutOf(readFile(dir / "out.xml")), savedForm(row().saved));
}

TEST_P(XmlDomTest, SaveReplacesAnExistingFileAndLeavesNothingElse) {
  TempDir dir;
  writeFile(dir / "out.xml", "previous content that is longer than the new one");
  ASSERT_EQ(parse("<a/>")->save(dir / "out.xml"), kOk);
  EXPECT_EQ(layoutOf(readFile(dir / "out.xml")), savedForm("<a/>\n"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_P(XmlDomTest, SaveIntoAMissingFolderWritesNothing) {
  TempDir dir;
  EXPECT_TRUE(failed(parse("<a/>")->save(dir / "missing/out.xml")));
  EXPECT_FALSE(fileExists(dir / "missing"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

}  // namespace

const std::vector<SaveRow>& saveRows() {
  static const std::vector<SaveRow> rows = {
      {"IndentedTemplate",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<S>\r\n    <v>px_A</v>\r\n    <g>\r\n        <w a=\"1\">B</w>\r\n"
       "        <e/>\r\n    </g>\r\n    <!-- note -->\r\n</S>\r\n",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<S>\n\t<v>px_A</v>\n\t<g>\n\t\t<w a=\"1\">B</w>\n\t\t<e/>\n\t</g>\n"
       "\t<!-- note -->\n</S>\n"},
      {"OneLine", "<a><b>x</b><c/></a>", "<a><b>x</b><c/></a>\n"},
      {"BlanksBetweenElementsOnOneLine", "<r>\n  <a>x</a>  <b/>\n</r>", "<r>\n\t<a>x</a>\n\t<b/>\n</r>\n"},
      {"WhitespaceOnlyElement", "<a>\n  <b>   </b>\n</a>", "<a>\n\t<b>\n\t</b>\n</a>\n"},
      {"DeclarationInDoubleQuotes", "<?xml version='1.0' standalone='yes'?><a/>",
       "<?xml version=\"1.0\" standalone=\"yes\"?>\n<a/>\n"},
      {"Escaping", "<a t=\"&quot;&amp;&lt;&gt;'&#9;&#10;&#13;\">&amp;&lt;&gt;\"'</a>",
       "<a t=\"&quot;&amp;&lt;&gt;'&#9;&#10;&#13;\">&amp;&lt;&gt;\"'</a>\n"},
      {"EmptyElements", "<a><b></b><c/><d x='1'></d></a>", "<a><b/><c/><d x=\"1\"/></a>\n"},
      {"MarkupKept", "<!DOCTYPE a>\n<!-- top -->\n<?pi data?>\n<a><![CDATA[<x> & y]]><?q?><!--in--></a>\n<!-- end -->",
       "<!DOCTYPE a>\n<!-- top -->\n<?pi data?>\n<a><![CDATA[<x> & y]]><?q?><!--in--></a>\n<!-- end -->\n"},
      {"Utf8WithoutByteOrderMark", "\xEF\xBB\xBF<a>\xC3\xA9</a>", "<a>\xC3\xA9</a>\n"},
      {"DeclaredLatin1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a b=\"\xE9\">\xE9</a>",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a b=\"\xE9\">\xE9</a>\n"},
      // What the code page lacks is written as a reference.
      {"DeclaredWindows1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a b=\"\x80&#937;\">\xE9\x80&#937;</a>",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a b=\"\x80&#937;\">\xE9\x80&#937;</a>\n"},
      {"CarriageReturnInText", "<a>x&#13;y</a>", "<a>x&#13;y</a>\n"},
  };
  return rows;
}

}  // namespace l3xml_test
