// Reading PIXIT, type-definition and synchronisation files, and the reader object's lists.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "faulty_dom.h"
#include "library_test.h"

namespace l3xml_test {
namespace {

class ParameterFileTest : public FrameworkTest {
 protected:
  bool read(const std::string& xml, File kind, ParameterFileReader& into) {
    std::string path = place("params" + std::to_string(++files) + ".xml", xml);
    return into.readParameterFile(path, kind);
  }

  ParameterFileReader reader;
  int files = 0;
};

TEST_F(ParameterFileTest, PixitFileFillsEveryFieldAndKeysByName) {
  ASSERT_TRUE(
      read("<PIXIT><P Name='px_b' Type='T' Value='1' Group='G' Unit='dB' Comment='A\\B.xml' Cell='PrimaryCell'/>"
           "<!-- skipped --><P Name='Zed' Value='2' Other='ignored'/><P Name='px_a' Value='3'/></PIXIT>",
           PIXIT_FILE, reader));
  const auto list = reader.getparamList();
  std::vector<std::string> names;
  for (const auto& entry : list) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::string>{"Zed", "px_a", "px_b"}));  // byte order: capitals first
  const ParamStructure b = reader.getparamStructure("px_b");
  EXPECT_EQ(std::vector<std::string>({b.name, b.type, b.value, b.group, b.unit, b.comment, b.cell}),
            std::vector<std::string>({"px_b", "T", "1", "G", "dB", "A\\B.xml", "PrimaryCell"}));
  // Fields an element does not write carry over from the element before it.
  EXPECT_EQ(reader.getparamStructure("Zed").unit, "dB");
  EXPECT_EQ(reader.getparamStructure("px_a").type, "T");
  EXPECT_EQ(reader.getparamStructure("PX_A").name, "");
}

TEST_F(ParameterFileTest, FirstRecordOfANameStaysAcrossElementsAndFiles) {
  ASSERT_TRUE(read("<P><E Name='n' Value='first'/><E Name='n' Value='second'/></P>", PIXIT_FILE, reader));
  ASSERT_TRUE(read("<P><E Name='n' Value='third'/></P>", PIXIT_FILE, reader));
  EXPECT_EQ(reader.getparamStructure("n").value, "first");
}

TEST_F(ParameterFileTest, WorkingRecordCarriesOverIntoTheNextFileButNotIntoANewReader) {
  ASSERT_TRUE(read("<P><E Name='a' Unit='Hz' Group='g'/></P>", PIXIT_FILE, reader));
  ASSERT_TRUE(read("<P><E Name='b'/></P>", PIXIT_FILE, reader));
  EXPECT_EQ(reader.getparamStructure("b").unit, "Hz");
  ParameterFileReader fresh;
  ASSERT_TRUE(read("<P><E Name='c'/></P>", PIXIT_FILE, fresh));
  EXPECT_EQ(fresh.getparamStructure("c").unit, "");
}

struct TypeRow {
  const char* name;
  const char* element;
  ParamStructure expected;
};

class TypeFileTest : public ParameterFileTest, public ::testing::WithParamInterface<TypeRow> {};

TEST_P(TypeFileTest, BasetypeDecidesHowChildrenAreRead) {
  ASSERT_TRUE(read(std::string("<Types>") + GetParam().element + "</Types>", TYPE_FILE, reader));
  const ParamStructure& want = GetParam().expected;
  const auto list = reader.getparamList();
  if (want.name.empty()) {
    EXPECT_TRUE(list.empty());
    return;
  }
  ASSERT_EQ(list.size(), 1u);
  const ParamStructure& got = list.begin()->second;
  EXPECT_EQ(got.name, want.name);
  EXPECT_EQ(got.basetype, want.basetype);
  EXPECT_EQ(got.minValue, want.minValue);
  EXPECT_EQ(got.maxValue, want.maxValue);
  EXPECT_EQ(got.type, want.type);
  EXPECT_EQ(got.enumValues, want.enumValues);
  EXPECT_EQ(got.enumNumericValues, want.enumNumericValues);
}

ParamStructure type(const char* name, const char* basetype, const char* min = "", const char* max = "",
                    const char* typeText = "", std::vector<std::string> names = {},
                    std::vector<std::string> numbers = {}) {
  ParamStructure record;
  record.name = name;
  record.basetype = basetype;
  record.minValue = min;
  record.maxValue = max;
  record.type = typeText;
  record.enumValues = std::move(names);
  record.enumNumericValues = std::move(numbers);
  return record;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypeFileTest,
    ::testing::Values(
        TypeRow{"Boolean", "<T Name='B' Basetype='Boolean' Type='x' Value='y'><V v='1'/></T>", type("B", "Boolean")},
        TypeRow{"BinaryByAttributeName", "<T Name='Bin' Basetype='Binary'><L maxValue='11111111' minValue='0'/></T>",
                type("Bin", "Binary", "0", "11111111")},
        TypeRow{"BinaryWithoutMinimumKeepsNoBasetype", "<T Name='Bin' Basetype='Binary'><L maxValue='111'/></T>",
                type("Bin", "", "", "111")},
        TypeRow{"IntegerByPosition", "<T Basetype='Integer' Name='I'><A x='1'/><B y='9'/><C z='7'/></T>",
                type("I", "Integer", "1", "9")},
        TypeRow{"DoubleByPosition", "<T Name='D' Basetype='Double'><A x='0.5'/><B y='2.5'/></T>",
                type("D", "Double", "0.5", "2.5")},
        TypeRow{"StringThirdChildGivesType", "<T Name='S' Basetype='String'><A x='0'/><B y='8'/><C z='Text'/></T>",
                type("S", "String", "0", "8", "Text")},
        TypeRow{"PositionCountsNodesThatAreNotElements",
                "<T Name='I' Basetype='Integer'><!-- c --><A x='1'/><B y='9'/></T>", type("I", "", "", "1")},
        TypeRow{"EnumListsInStep",
                "<T Name='E' Basetype='Enum'><V Value='on' NumericValue='1'/><V NumericValue='0' Value='off'/>"
                "<V Value='odd'/></T>",
                type("E", "Enum", "", "", "", {"on", "off", "odd"}, {"1", "0"})},
        TypeRow{"BasetypeComparedExactly", "<T Name='X' Basetype='integer'/>", type("", "")},
        TypeRow{"NoBasetypeNotStored", "<T Name='X'/>", type("", "")}),
    [](const ::testing::TestParamInfo<TypeRow>& info) { return std::string(info.param.name); });

TEST_F(ParameterFileTest, TypeRecordsCarryBoundsButResetEnumerators) {
  ASSERT_TRUE(
      read("<T><E Name='I' Basetype='Integer'><A v='1'/><B v='5'/></E>"
           "<E Name='En' Basetype='Enum'><V Value='a' NumericValue='0'/></E>"
           "<E Name='B' Basetype='Boolean'/></T>",
           TYPE_FILE, reader));
  const ParamStructure boolean = reader.getparamStructure("B");
  EXPECT_EQ(boolean.minValue, "1");
  EXPECT_EQ(boolean.maxValue, "5");
  EXPECT_TRUE(boolean.enumValues.empty());
  EXPECT_EQ(reader.getparamStructure("En").enumValues, std::vector<std::string>{"a"});
}

TEST_F(ParameterFileTest, SyncEntriesKeepOrderDuplicatesAndResetEnumerators) {
  ASSERT_TRUE(
      read("<S><E SourceParam='a' SourceXml='x.xml' DestParam='b' DestXml='y.xml' Type='Int'/>"
           "<E SourceParam='c' Type='Enum'><V Value='on' NumericValue='1'/></E>"
           "<E SourceParam='d' Type='Int'><V Value='ignored'/></E>"
           "<E SourceParam='a' Type='Int'/></S>",
           SYNC_FILE, reader));
  const auto entries = reader.getparamList_Sync();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1].enumValues, std::vector<std::string>{"on"});
  EXPECT_EQ(entries[1].enumNumericValues, std::vector<std::string>{"1"});
  EXPECT_TRUE(entries[2].enumValues.empty());
  EXPECT_EQ(entries[2].destXml, "y.xml");  // carried over
  EXPECT_EQ(reader.getparamStructure_sync().sourceParam, "a");
  EXPECT_TRUE(reader.getparamList().empty());
}

TEST_F(ParameterFileTest, OtherKindsAreWalkedButStoreNothing) {
  EXPECT_TRUE(read("<P><E Name='a'/></P>", static_cast<File>(3), reader));
  EXPECT_TRUE(reader.getparamList().empty());
  EXPECT_TRUE(reader.getparamList_Sync().empty());
  EXPECT_TRUE(read("<P/>", PIXIT_FILE, reader));
}

TEST_F(ParameterFileTest, ConvertedTextsHoldAtMost499Characters) {
  ASSERT_TRUE(read("<P><E Name='n' Value='" + std::string(600, 'v') + "'/></P>", PIXIT_FILE, reader));
  EXPECT_EQ(reader.getparamStructure("n").value, std::string(499, 'v'));
}

TEST_F(ParameterFileTest, FilesThatDoNotLoadLeaveTheListsAsTheyWere) {
  ASSERT_TRUE(read("<P><E Name='kept'/></P>", PIXIT_FILE, reader));
  clearLogs();
  std::string missing = system + "/absent.xml";
  EXPECT_FALSE(reader.readParameterFile(missing, PIXIT_FILE));
  EXPECT_EQ(logs(),
            (std::vector<LogRecord>{
                {kDebug, "ParameterFileReader::readParameterFile ::The name of the Xml File to be loaded is : " +
                             missing + "."},
                {kError, "Failed to load DOM from given xml:" + missing + "."}}));
  EXPECT_FALSE(read("<P><E Name='new'/>", PIXIT_FILE, reader));
  EXPECT_EQ(reader.getparamList().size(), 1u);
  EXPECT_TRUE(read("<P><E Name='later'/></P>", PIXIT_FILE, reader));
  EXPECT_EQ(reader.getparamList().size(), 2u);

  clearLogs();
  std::string empty;
  EXPECT_FALSE(reader.readParameterFile(empty, PIXIT_FILE));
  EXPECT_EQ(logs().size(), 1u);
}

TEST_F(ParameterFileTest, ReaderWithoutDocumentFailsToParse) {
  useFaultyDocuments();
  faultPlan().fail("create", 1);
  EXPECT_FALSE(read("<P/>", PIXIT_FILE, reader));
  EXPECT_EQ(messagesAt(kError),
            (std::vector<std::string>{"Failed to parse parameter file", "Failed to parse parameter file"}));
}

class WalkFailureTest : public ParameterFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WalkFailureTest, IsLoggedAndTheWalkGoesOn) {
  useFaultyDocuments();
  faultPlan().fail(GetParam(), 1);
  ParameterFileReader walker;
  EXPECT_TRUE(read("<T><E Name='I' Basetype='Integer'><A v='1'/><B v='2'/></E><E Name='J' Basetype='Boolean'/></T>",
                   TYPE_FILE, walker));
  EXPECT_TRUE(logged(kError, "Failed to parse parameter file"));
  EXPECT_EQ(walker.getparamList().count("J"), std::string(GetParam()) == "get_documentElement" ||
                                                      std::string(GetParam()) == "get_childNodes" ||
                                                      std::string(GetParam()) == "list.get_length"
                                                  ? 0u
                                                  : 1u);
}

INSTANTIATE_TEST_SUITE_P(Calls, WalkFailureTest,
                         ::testing::Values("get_documentElement", "get_childNodes", "list.get_length", "list.get_item",
                                           "get_attributes", "map.get_length", "map.get_item", "get_nodeName",
                                           "get_nodeValue", "put_async", "put_validateOnParse"));

}  // namespace
}  // namespace l3xml_test
