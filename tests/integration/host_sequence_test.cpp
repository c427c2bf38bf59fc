// The host's typical sequence over a framework folder: settings, parameter load with the
// association file, registration, per-file application, flattening, single reads and writes.
#include <gtest/gtest.h>

#include <l3xml/l3xml.h>

#include "library_test.h"
#include "paths/framework_paths.h"
#include "pixit/pixit_maps.h"
#include "state/module_state.h"

namespace l3xml_test {
namespace {

class HostSequenceTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    place("RRCMessage/PrimaryCell/RRCConnectionSetup.xml",
          "<RRCConnectionSetup>\n"
          "  <rrc-TransactionIdentifier>px_TransactionId</rrc-TransactionIdentifier>\n"
          "  <c1>\n"
          "    <rrcConnectionSetup-r3>\n"
          "      <initialUE-Identity>px_InitialUeId</initialUE-Identity>\n"
          "      <activationTime>px_ActivationTime</activationTime>\n"
          "      <integrityProtection>px_IntegrityOn</integrityProtection>\n"
          "      <opt1>\n"
          "        <srb-InformationSetupList>\n"
          "          <SEQUENCE><rb-Identity>1</rb-Identity></SEQUENCE>\n"
          "          <SEQUENCE><rb-Identity>2</rb-Identity></SEQUENCE>\n"
          "        </srb-InformationSetupList>\n"
          "      </opt1>\n"
          "    </rrcConnectionSetup-r3>\n"
          "  </c1>\n"
          "</RRCConnectionSetup>\n");
    place("RRCMessage/SecondaryCell/MeasurementControl.xml",
          "<MeasurementControl>\n  <reportingInterval>px_ReportInterval</reportingInterval>\n"
          "  <measurementIdentity>px_MeasId</measurementIdentity>\n</MeasurementControl>\n");
    place("NASMessage/AttachRequest.xml", "<AttachRequest>\n  <imsi>px_Imsi</imsi>\n</AttachRequest>\n");
    place("L3_Wcdma_Types.xml",
          "<Types>\n"
          "  <Type Name='TransactionId' Basetype='Integer'><Min v='0'/><Max v='3'/></Type>\n"
          "  <Type Name='UeId' Basetype='Binary'><Range minValue='0' maxValue='00000000'/></Type>\n"
          "  <Type Name='Text' Basetype='String'><Min v='0'/><Max v='32'/><Kind v='Ascii'/></Type>\n"
          "  <Type Name='OnOff' Basetype='Boolean'/>\n"
          "  <Type Name='Interval' Basetype='Enum'><E Value='ms250' NumericValue='0'/>"
          "<E Value='ms500' NumericValue='1'/><E Value='ms1000' NumericValue='2'/></Type>\n"
          "</Types>\n");
    pixitPath =
        place("Campaign_WCDMA.xml",
              "<PIXIT>\n"
              "  <P Name='px_TransactionId' Type='TransactionId' Value='1' "
              "Comment='RRCMessage\\PrimaryCell\\RRCConnectionSetup.xml'/>\n"
              "  <P Name='px_InitialUeId' Type='UeId' Value='12' "
              "Comment='RRCMessage\\PrimaryCell\\RRCConnectionSetup.xml'/>\n"
              "  <P Name='px_ActivationTime' Type='Text' Value='now' "
              "Comment='RRCMessage\\PrimaryCell\\RRCConnectionSetup.xml'/>\n"
              "  <P Name='px_IntegrityOn' Type='OnOff' Value='TRUE' Comment='Elsewhere.xml'/>\n"
              "  <P Name='px_ReportInterval' Type='Interval' Value='ms500' "
              "Comment='RRCMessage\\SecondaryCell\\MeasurementControl.xml'/>\n"
              "  <P Name='px_MeasId' Type='TransactionId' Value='3' "
              "Comment='RRCMessage\\SecondaryCell\\MeasurementControl.xml'/>\n"
              "  <P Name='px_Imsi' Type='Text' Value='001010123456789' Comment='NASMessage\\AttachRequest.xml'/>\n"
              "  <P Name='Operator' Type='Text' Value='lab' Comment='AttachRequest.xml'/>\n"
              "</PIXIT>\n");
    place("AssociationFile.xml",
          "<Associations>\n"
          "  <Entry Name='px_InitialUeId'>\n"
          "    <Bind Name='initialUE-Identity' Type='UeId' AssociationField='RRCConnectionSetup.xml' "
          "CellName='PrimaryCell'/>\n"
          "  </Entry>\n"
          "  <Entry Name='px_ReportInterval'>\n"
          "    <Bind Name='reportingInterval' Type='Interval' AssociationField='MeasurementControl.xml' "
          "CellName='SecondaryCell'/>\n"
          "  </Entry>\n"
          "</Associations>\n");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(system)) {
      if (entry.is_regular_file()) originals[entry.path().string()] = readFile(entry.path().string());
    }
  }

  std::string pixitPath;
  std::map<std::string, std::string> originals;
};

TEST_F(HostSequenceTest, TypicalUse) {
  // Steps 1-4: settings, then the load with the association file.
  std::map<std::string, ParamStructure> pixit;
  std::map<std::string, ParamStructure> types;
  ASSERT_TRUE(ReadParameterFileWrapper_WCDMA(pixitPath.c_str(), &pixit, &types, true));
  EXPECT_EQ(l3xml::state::module().settings.cell, "SecondaryCell");  // the last binding's cell stays current
  EXPECT_EQ(pixit.at("px_IntegrityOn").value, "1");
  EXPECT_EQ(pixit.at("px_ReportInterval").value, "1");
  EXPECT_EQ(pixit.at("px_InitialUeId").value, "12");
  EXPECT_TRUE(fileExists(system + "/temp/PrimaryCell/RRCConnectionSetup.xml"));
  EXPECT_TRUE(fileExists(system + "/temp/SecondaryCell/MeasurementControl.xml"));

  // Step 5: registration indexes the parameters by the files their comments name.
  CXMLParser parser;
  parser.updateParparameterList(&pixit);
  EXPECT_EQ(l3xml::state::module().pixitFileMultiMap.count("RRCConnectionSetup.xml"), 3u);

  // Step 6: each file receives its parameters; a value changed before is the one written.
  EXPECT_EQ(updateMapParser_WCDMA("px_MeasId", "2"), 0);
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("MeasurementControl.xml"), 0);
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("AttachRequest.xml"), 0);
  setLowCellName_WCDMA("PrimaryCell");
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("RRCConnectionSetup.xml"), 0);
  EXPECT_EQ(parser.isFileNamePresentinMultiMap("Nowhere.xml"), -1000);

  // Step 7: flattening reads the working copies; references still in them come from the list.
  EXPECT_EQ(parser.ParseXML("RRCConnectionSetup.xml"), "RRCConnectionSetup 1 ( 00001100 now 1 [ { 1 ,2 } ] ) ");
  EXPECT_EQ(parser.ParseXML("AttachRequest.xml"), "AttachRequest 001010123456789 ");
  setLowCellName_WCDMA("SecondaryCell");
  EXPECT_EQ(parser.ParseXML("MeasurementControl.xml"), "MeasurementControl 1 2 ");

  // Step 8: single values, and which parameter a node held.
  EXPECT_EQ(parser.GetVals("MeasurementControl.xml", const_cast<char*>("MeasurementControl.measurementIdentity")),
            std::vector<std::string>{"2"});
  EXPECT_EQ(parser.isNodeNamepresentInMap("measurementIdentity"), "px_MeasId");
  EXPECT_EQ(parser.isNodeNamepresentInMap("imsi"), "px_Imsi");
  std::string file = "MeasurementControl.xml";
  EXPECT_TRUE(parser.SetVal(file, const_cast<char*>("reportingInterval"), const_cast<char*>("2")));
  EXPECT_EQ(parser.ParseXML("MeasurementControl.xml"), "MeasurementControl 2 2 ");

  for (const auto& [path, content] : originals) EXPECT_EQ(readFile(path), content) << path;
}

}  // namespace
}  // namespace l3xml_test
