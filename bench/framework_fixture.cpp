// A generated framework folder for the benchmarks.
#include "framework_fixture.h"

#include <fstream>
#include <random>

namespace l3xml_bench {

namespace {

void write(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// A template shaped like an RRC message: groups of fields in choices, optional parts and
// SEQUENCE runs, a bit string written with blanks, and a placeholder in every fourth field.
std::string messageTemplate(int fields, int parameters) {
  std::string xml = "<RadioBearerSetup>\n  <rrc-TransactionIdentifier>1</rrc-TransactionIdentifier>\n";
  for (int i = 0; i < fields; i += 4) {
    xml += "  <c1>\n    <group" + std::to_string(i) + ">\n";
    xml += "      <value>" + (parameters > 0 ? "px_Param" + std::to_string(i % parameters) : std::string("7")) +
           "</value>\n";
    xml += "      <optBits><bits>1 0 1 1 0 0 1 0</bits></optBits>\n";
    xml += "      <SEQUENCE><item>" + std::to_string(i) + "</item></SEQUENCE>\n";
    xml += "      <SEQUENCE><item>" + std::to_string(i + 1) + "</item></SEQUENCE>\n";
    xml += "    </group" + std::to_string(i) + ">\n  </c1>\n";
  }
  return xml + "</RadioBearerSetup>\n";
}

}  // namespace

GeneratedFramework::GeneratedFramework(int fields, int parameters) {
  std::random_device device;
  root_ = std::filesystem::temp_directory_path() / ("l3xml-bench-" + std::to_string(device()));
  write(root_ / "RRCMessage/PrimaryCell/RadioBearerSetup.xml", messageTemplate(fields, parameters));

  std::string pixit = "<PIXIT>\n";
  std::string association = "<Associations>\n";
  for (int i = 0; i < parameters; ++i) {
    const std::string name = "px_Param" + std::to_string(i);
    const char* type = i % 3 == 0 ? "OnOff" : (i % 3 == 1 ? "Mode" : "Count");
    const char* value = i % 3 == 0 ? "TRUE" : (i % 3 == 1 ? "fast" : "12");
    pixit += "  <Param Name='" + name + "' Type='" + type + "' Value='" + value +
             "' Comment='RRCMessage\\PrimaryCell\\RadioBearerSetup.xml'/>\n";
    if (i % 10 == 0) {
      association += "  <Entry Name='" + name + "'><Bind Name='rrc-TransactionIdentifier' Type='" + type +
                     "' AssociationField='RadioBearerSetup.xml' CellName='PrimaryCell'/></Entry>\n";
    }
  }
  write(root_ / "Pixit.xml", pixit + "</PIXIT>\n");
  write(root_ / "AssociationFile.xml", association + "</Associations>\n");
  write(root_ / "Types.xml",
        "<Types>\n  <Type Name='OnOff' Basetype='Boolean'/>\n"
        "  <Type Name='Mode' Basetype='Enum'><E Value='slow' NumericValue='0'/><E Value='fast' "
        "NumericValue='1'/></Type>\n"
        "  <Type Name='Count' Basetype='Integer'><Min v='0'/><Max v='255'/></Type>\n</Types>\n");
  pixitPath_ = (root_ / "Pixit.xml").string();

  const std::string system = root_.string();
  setFrameworkSourcepath_WCDMA(system.c_str());
  setFrameworkUserSourcepath_WCDMA(nullptr);
  setLowCellName_WCDMA("PrimaryCell");
  std::string work = system;
  SetXMLParserSourcePath_WCDMA(work.data());

  std::map<std::string, ParamStructure> types;
  ReadParameterFileWrapper_WCDMA(pixitPath_.c_str(), &pixit_, &types, false);
  CXMLParser().updateParparameterList(&pixit_);
}

GeneratedFramework::~GeneratedFramework() {
  CXMLParser().updateParparameterList(nullptr);
  std::error_code error;
  std::filesystem::remove_all(root_, error);
}

void GeneratedFramework::removeWorkingCopies() const {
  std::error_code error;
  std::filesystem::remove_all(root_ / "temp", error);
}

}  // namespace l3xml_bench
