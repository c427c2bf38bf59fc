// The conformance suite over the pugixml backend, and its file access when a file operation fails.
#include <cstdio>
#include <filesystem>

#include "dom_conformance.h"
#include "platform/file_system.h"
#include "test_files.h"

namespace l3xml_test {

L3XML_INSTANTIATE_DOM_CONFORMANCE(Pugixml, &l3xml::dom::createBackendDocument);

namespace {

namespace platform = l3xml::platform;
using l3xml::dom::failed;
using l3xml::dom::kOk;

// Each operation of the file table that saving or loading uses, made to fail.
void failWrite(platform::FileOperations& table) {
  table.write = [](const void*, std::size_t, std::size_t, std::FILE*) -> std::size_t { return 0; };
}
void failClose(platform::FileOperations& table) {
  table.close = [](std::FILE* file) {
    platform::systemFileOperations().close(file);
    return EOF;
  };
}
void failReplace(platform::FileOperations& table) {
  table.replace = [](const char*, const char*) { return false; };
}
void failCreate(platform::FileOperations& table) {
  table.createNew = [](const char*) -> std::FILE* { return nullptr; };
}

class XmlFileFailureTest : public ::testing::TestWithParam<void (*)(platform::FileOperations&)> {
 protected:
  void SetUp() override {
    ASSERT_EQ(l3xml::dom::createBackendDocument(document), kOk);
    bool successful = false;
    ASSERT_EQ(document->loadXML("<a>new</a>", successful), kOk);
    writeFile(target, "<a>old</a>");
    GetParam()(platform::fileOperations());
  }
  void TearDown() override { platform::fileOperations() = platform::systemFileOperations(); }

  ComPtr<IXMLDOMDocument> document;
  TempDir dir;
  std::string target = dir / "out.xml";
};

TEST_P(XmlFileFailureTest, SaveLeavesTheDestinationAndNoTemporaryFile) {
  EXPECT_TRUE(failed(document->save(target)));
  platform::fileOperations() = platform::systemFileOperations();
  EXPECT_EQ(readFile(target), "<a>old</a>");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Operations, XmlFileFailureTest,
                         ::testing::Values(failCreate, failWrite, failClose, failReplace));

// Indentation would grow with the square of the depth: a deep document is saved without it, a
// shallow one keeps it.
TEST(SavedSizeTest, StaysLinearInTheDocument) {
  for (const int levels : {40, 40000}) {
    std::string text;
    for (int i = 0; i < 2 * levels; ++i) text += i < levels ? "\n<e>" : "\n</e>";
    ComPtr<IXMLDOMDocument> document;
    bool successful = false;
    ASSERT_EQ(l3xml::dom::createBackendDocument(document), kOk);
    ASSERT_EQ(document->loadXML(text, successful), kOk);
    TempDir dir;
    ASSERT_EQ(document->save(dir / "out.xml"), kOk);
    const std::string saved = readFile(dir / "out.xml");
    EXPECT_LE(saved.size(), 10 * text.size());
    std::size_t opened = 0;
    for (auto at = saved.find("<e>"); at != std::string::npos; at = saved.find("<e>", at + 1)) ++opened;
    EXPECT_EQ(opened, static_cast<std::size_t>(levels));
    EXPECT_EQ(saved.find("\n\t\t") != std::string::npos, levels == 40);
  }
}

}  // namespace
}  // namespace l3xml_test
