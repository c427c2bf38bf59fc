// l3xml: layer-3 (RRC) XML parameter files and message templates for the WCDMA test framework.
//
// Everything the library exports: the parameter records, the two classes and the free
// functions. Texts are narrow 8-bit strings. The library serves one calling thread at a time.
#ifndef L3XML_L3XML_H
#define L3XML_L3XML_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <l3xml/com_ptr.h>
#include <l3xml/export.h>

// Which layout a parameter file has and which list it fills.
enum File : std::int32_t {
  PIXIT_FILE = 0,  // one element per PIXIT parameter; fills paramList
  TYPE_FILE = 1,   // one element per type definition; fills paramList
  SYNC_FILE = 2    // one element per synchronisation entry; fills paramList_Sync
};

namespace l3xml {
namespace params {
struct ParameterFileWalk;
}  // namespace params
}  // namespace l3xml

// One PIXIT parameter or one type definition.
struct ParamStructure {
  // Binary interface: hosts lay these members out from this header; never add, remove or reorder.
  std::string name;
  std::string type;
  std::string value;
  std::string group;
  std::string unit;
  std::string comment;
  std::string basetype;
  std::string minValue;
  std::string maxValue;
  std::vector<std::string> enumNumericValues;  // in step with enumValues
  std::vector<std::string> enumValues;
  std::string cell;
};

// One synchronisation entry: which parameter of which file feeds which parameter of which file.
struct ParamStructure_Sync {
  // Binary interface: hosts lay these members out from this header; never add, remove or reorder.
  std::string sourceParam;
  std::string sourceXml;
  std::string destParam;
  std::string destXml;
  std::string type;
  std::vector<std::string> enumValues;
  std::vector<std::string> enumNumericValues;
};

// Reads PIXIT, type-definition and synchronisation files into lists of records.
class L3XML_API ParameterFileReader {
 public:
  ParameterFileReader();
  ParameterFileReader(const ParameterFileReader& other);
  ParameterFileReader& operator=(const ParameterFileReader& other);
  ~ParameterFileReader();

  // Copies of the lists read so far.
  std::map<std::string, ParamStructure> getparamList();
  std::vector<ParamStructure_Sync> getparamList_Sync();
  // A copy of the record stored under name; an empty record when there is none.
  ParamStructure getparamStructure(std::string name);
  // A copy of the first synchronisation record; an empty record when none was read.
  ParamStructure_Sync getparamStructure_sync();

  // Adds the entries of one file (a path, used as given) to the lists; false when it cannot be loaded.
  bool readParameterFile(std::string& fileName, File kind);
  // Writes one PIXIT value, converted by kind (1 Boolean, 2 Enum, else as is), into a message file.
  bool PopulateFromPixitFile(ParameterFileReader& pixitReader, std::string& paramName, std::string& nodeName,
                             std::string& xmlFileName, int kind, std::map<std::string, ParamStructure>& typeList);

 private:
  // The library's reading of a file walks with the reader's cursors.
  friend struct l3xml::params::ParameterFileWalk;

  // Binary interface: hosts lay these members out from this header; never add, remove or reorder.

  // Makes a new XML document; the caller takes over the returned reference. Null on failure.
  l3xml::dom::IXMLDOMDocument* DomFromCOM();
  // Logs the reader's failure message; always false.
  bool handleError();

  std::map<std::string, ParamStructure> paramList;
  std::vector<ParamStructure_Sync> paramList_Sync;
  ParamStructure currentParam;
  ParamStructure_Sync currentSync;

  // Cursors of the walk over a loaded file.
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument> pCreatedDocument;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument> pXMLDoc;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNodeList> pRootChildList;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNodeList> pElementChildList;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNode> pElement;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNode> pAttribute;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNode> pChild;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNode> pRootElement;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNamedNodeMap> pElementAttributeMap;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNamedNodeMap> pChildAttributeMap;
  std::string nodeName;
  l3xml::dom::VARIANT xmlFileName;
  std::int32_t status;
};

// Reads, flattens and edits message template files.
class L3XML_API CXMLParser {
 public:
  CXMLParser();
  ~CXMLParser();
  CXMLParser(const CXMLParser& other);
  CXMLParser& operator=(const CXMLParser& other);

  // The template as one line: root name, then every value with ( ) [ ] { , } marks; empty on failure.
  std::string ParseXML(std::string fileName);
  // Values of every element named path, or of the one element at the dotted path from the root.
  std::vector<std::string> GetVals(std::string fileName, char* path);
  // The local name of the file's root element; empty on failure.
  std::string getXmlType(std::string fileName);
  // Writes value into the working copy of fileName at the nodes attribute selects.
  bool SetVal(std::string& fileName, char* attribute, char* value);
  // As above, but changes the text of the matchIndex-th selected node only and trims the file.
  bool SetVal(std::string& fileName, char* attribute, char* value, long matchIndex);
  // Renames a node by a text rewrite into the working copy; 0 or -1000.
  long UpdateNodeName(std::string& fileName, char* oldNodeName, char* newNodeName);
  // The PIXIT parameter recorded for a node name; empty when none.
  std::string isNodeNamepresentInMap(std::string nodeName);
  // Registers the host's PIXIT list (kept by pointer) and rebuilds the file-to-parameter index.
  void updateParparameterList(std::map<std::string, ParamStructure>* list);
  // Writes every PIXIT parameter indexed for fileName into it; 0, or -1000 when none is indexed.
  long isFileNamePresentinMultiMap(std::string fileName);

 private:
  long DomFromCOM(l3xml::dom::IXMLDOMDocument** ppDoc);
  long LoadXmlToDom(const char* fileName, l3xml::dom::IXMLDOMDocument* pDoc);
  long CheckLoad(l3xml::dom::IXMLDOMDocument* pDoc);
  long ReportError(l3xml::dom::IXMLDOMParseError* pXMLError);
  void ReportParseError(l3xml::dom::IXMLDOMDocument* pDoc, char* errorText);
  long findValueAndAppendfinalString();
  std::string completeSourcePath(l3xml::dom::IXMLDOMDocument* pDoc, std::vector<std::string> pathComponents);
  long completeSourcePathSetval(l3xml::dom::IXMLDOMDocument* pDoc, std::vector<std::string> nodePath, char* value,
                                l3xml::dom::VARIANT savePath);
  void copyFile(std::string source, std::string destination);
  long IsFilePresentInTempFolder(std::string& path);
  bool IsFileReadOnly(const std::string& path);
  long removeNewLineChar(std::string path);
  long getPixitValueForParser(std::string paramName, std::string& value);
  void createMultiMapofPixitFile(std::string paramName, std::string fileList);

  // Binary interface: hosts lay these members out from this header; never add, remove or reorder.
  char finalString[4096];
  std::string spareString;
  std::vector<int> optionalStack;
  std::vector<int> choiceStack;
  std::vector<int> sequenceStack;
  std::vector<long> childCountStack;
  std::vector<l3xml::dom::ComPtr<l3xml::dom::IXMLDOMNodeList>> nodeListStack;
  std::vector<long> sequenceIndexStack;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument> pXMLDom;
  l3xml::dom::ComPtr<l3xml::dom::IXMLDOMDocument> pXMLFragmentDom;
};

extern "C" {
// The user's source folder (no trailing separator); null clears it.
L3XML_API void setFrameworkUserSourcepath_WCDMA(const char* folder);
// The framework's (system) source folder (no trailing separator); null clears it.
L3XML_API void setFrameworkSourcepath_WCDMA(const char* folder);
// The current cell: "SecondaryCell" selects the secondary search list; null clears it.
L3XML_API void setLowCellName_WCDMA(const char* cellName);
// Reads a PIXIT file and its type file into the host's maps, applies the association file when
// asked and converts Boolean and Enum values; true when both files were read.
L3XML_API bool L3XML_STDCALL ReadParameterFileWrapper_WCDMA(const char* pixitFileName,
                                                            std::map<std::string, ParamStructure>* pixitList,
                                                            std::map<std::string, ParamStructure>* typeList,
                                                            bool applyAssociation);
}

// The folder under which working copies are kept; null clears it.
L3XML_API void SetXMLParserSourcePath_WCDMA(char* folder);
// The full path of the first framework folder that holds fileName; empty when none does.
L3XML_API std::string getFrameworkCompleteFilePath_WCDMA(std::string fileName);
// Changes the value of a parameter in the registered PIXIT list; always 0.
L3XML_API long updateMapParser_WCDMA(std::string paramName, std::string newValue);

#endif  // L3XML_L3XML_H
