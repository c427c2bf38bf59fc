// The conformance suite over the Windows XML service, and what the backend itself adds: texts in
// the system code page, and saves that fail at their last step.
#include <filesystem>

#include "dom_conformance.h"
#include "platform/file_system.h"
#include "platform_expectations.h"
#include "test_files.h"

namespace l3xml_test {

L3XML_INSTANTIATE_DOM_CONFORMANCE(Msxml, &l3xml::dom::createBackendDocument);

namespace {

namespace platform = l3xml::platform;
using l3xml::dom::failed;
using l3xml::dom::kOk;

class MsxmlBackendTest : public ::testing::Test, public DomTestBase {
 protected:
  MsxmlBackendTest() : DomTestBase(&l3xml::dom::createBackendDocument) {}
  void TearDown() override { platform::fileOperations() = platform::systemFileOperations(); }
};

// Texts cross the service as UTF-16: what goes in narrow comes out the same, and is saved as the
// character it stands for.
TEST_F(MsxmlBackendTest, TextsCrossTheServiceInTheSystemCodePage) {
  const std::string accented = narrowText("\xC3\xA9t\xC3\xA9");
  ComPtr<IXMLDOMDocument> document = parse("<a><b/></a>");
  ComPtr<IXMLDOMNode> child = selectOne(document.Get(), "//b");
  ASSERT_EQ(child->put_text(accented), kOk);
  EXPECT_EQ(textOf(child.Get()), accented);
  EXPECT_EQ(namesOf(select(document.Get(), "//*[ text() = '" + accented + "']").Get()), std::vector<std::string>{"b"});
  TempDir dir;
  ASSERT_EQ(document->save(dir / "out.xml"), kOk);
  EXPECT_EQ(comparableSave(readFile(dir / "out.xml")), comparableSave("<a><b>\xC3\xA9t\xC3\xA9</b></a>\n"));
}

// The literal is handed to the service in the quote it does not contain.
TEST_F(MsxmlBackendTest, LiteralsHoldingTheOtherQuoteSelect) {
  ComPtr<IXMLDOMDocument> document = parse("<r><v>it's</v><w>say \"x\"</w></r>");
  EXPECT_EQ(namesOf(select(document.Get(), "//*[text() = \"it's\"]").Get()), std::vector<std::string>{"v"});
  EXPECT_EQ(namesOf(select(document.Get(), "//*[text() = 'say \"x\"']").Get()), std::vector<std::string>{"w"});
}

// The service writes a temporary file beside the destination; the platform layer then moves it
// over the destination. When that move fails, nothing is left of the attempt.
TEST_F(MsxmlBackendTest, SaveThatCannotReplaceLeavesTheDestinationAndNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir / "out.xml";
  writeFile(target, "<a>old</a>");
  ComPtr<IXMLDOMDocument> document = parse("<a>new</a>");
  platform::fileOperations().replace = [](const char*, const char*) { return false; };
  EXPECT_TRUE(failed(document->save(target)));
  platform::fileOperations() = platform::systemFileOperations();
  EXPECT_EQ(readFile(target), "<a>old</a>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A file that does not exist is refused before the service sees it, with the backend's own outcome.
TEST_F(MsxmlBackendTest, MissingFileIsReportedWithItsPath) {
  TempDir dir;
  ComPtr<IXMLDOMDocument> document = newDocument();
  bool successful = true;
  EXPECT_EQ(document->load(dir / "absent.xml", successful), l3xml::dom::kResourceNotFound);
  const ParseErrorReport error = lastErrorOf(document.Get());
  EXPECT_EQ(error.code, l3xml::dom::kResourceNotFound);
  EXPECT_EQ(error.url, dir / "absent.xml");
  EXPECT_FALSE(error.reason.empty());
  // The next load reports its own outcome again.
  ASSERT_EQ(document->loadXML("<a/>", successful), kOk);
  EXPECT_EQ(lastErrorOf(document.Get()).code, kOk);
}

}  // namespace
}  // namespace l3xml_test
