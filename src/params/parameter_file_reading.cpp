// Reading PIXIT, type-definition and synchronisation files into the reader's lists.
#include "params/parameter_file_reading.h"

#include <cstdint>

#include "logging/logging.h"
#include "params/narrow_text.h"

namespace l3xml {
namespace params {

namespace {

// How a type element's children are read, by its "Basetype".
enum class ChildReading { kNone, kByName, kByPosition };

struct BasetypeRule {
  const char* basetype;
  ChildReading reading;
  bool basetypeAtOnce;    // set by the "Basetype" attribute itself, not by a child's attribute
  bool thirdChildIsType;  // "String": the third child's attributes give the type
};

constexpr BasetypeRule kBasetypeRules[] = {
    {"Boolean", ChildReading::kNone, true, false},        {"Binary", ChildReading::kByName, false, false},
    {"Integer", ChildReading::kByPosition, false, false}, {"Double", ChildReading::kByPosition, false, false},
    {"String", ChildReading::kByPosition, false, true},   {"Enum", ChildReading::kByName, true, false},
};

const BasetypeRule* findBasetypeRule(std::string_view basetype) {
  for (const BasetypeRule& rule : kBasetypeRules) {
    if (basetype == rule.basetype) return &rule;
  }
  return nullptr;
}

// The attributes' texts are views into the walk's buffers, valid for the call.
void applyPixitAttribute(ParamStructure& param, std::string_view name, std::string_view value) {
  if (name == "Name") {
    param.name.assign(value);
  } else if (name == "Type") {
    param.type.assign(value);
  } else if (name == "Value") {
    param.value.assign(value);
  } else if (name == "Group") {
    param.group.assign(value);
  } else if (name == "Unit") {
    param.unit.assign(value);
  } else if (name == "Comment") {
    param.comment.assign(value);
  } else if (name == "Cell") {
    param.cell.assign(value);
  }
}

void applySyncAttribute(ParamStructure_Sync& sync, std::string_view name, std::string_view value) {
  if (name == "SourceParam") {
    sync.sourceParam.assign(value);
  } else if (name == "SourceXml") {
    sync.sourceXml.assign(value);
  } else if (name == "DestParam") {
    sync.destParam.assign(value);
  } else if (name == "DestXml") {
    sync.destXml.assign(value);
  } else if (name == "Type") {
    sync.type.assign(value);
  }
}

// Appends the "Value" and "NumericValue" attributes of an enumerator child to the two lists.
void applyEnumeratorAttribute(std::vector<std::string>& names, std::vector<std::string>& numbers, std::string_view name,
                              std::string_view value) {
  if (name == "Value") {
    names.emplace_back(value);
  } else if (name == "NumericValue") {
    numbers.emplace_back(value);
  }
}

// What one attribute of a type element's child writes, by the rule and the child's position.
void applyTypeChildAttribute(ParamStructure& param, const BasetypeRule& rule, long position, std::string_view name,
                             std::string_view value) {
  const std::string_view basetype = rule.basetype;
  if (rule.reading == ChildReading::kByPosition) {
    if (position == 0) {
      param.basetype.assign(basetype);
      param.minValue.assign(value);
    } else if (position == 1) {
      param.maxValue.assign(value);
    } else if (position == 2 && rule.thirdChildIsType) {
      param.type.assign(value);
    }
  } else if (basetype == "Binary") {
    if (name == "minValue") {
      param.basetype.assign(basetype);
      param.minValue.assign(value);
    } else if (name == "maxValue") {
      param.maxValue.assign(value);
    }
  } else {
    applyEnumeratorAttribute(param.enumValues, param.enumNumericValues, name, value);
  }
}

// The walk's cursors, which live in the reader so that they share the document's life.
struct WalkCursors {
  dom::ComPtr<dom::IXMLDOMNamedNodeMap>& childAttributeMap;
  std::int32_t& status;

  bool failed(dom::Status result) {
    status = result;
    if (!dom::failed(result)) return false;
    logging::error({"Failed to parse parameter file"});
    return true;
  }

  // Calls apply(name, value) for each attribute of map, in document order, texts cut as the
  // narrow conversion cuts them. The views live for the call of apply, which may start a walk
  // of its own.
  template <class Apply>
  void forEachAttribute(dom::IXMLDOMNamedNodeMap& map, Apply apply) {
    struct CutAttributes final : dom::AttributeVisitor {
      CutAttributes(WalkCursors& walk, Apply& apply) : walk(walk), apply(apply) {}
      void attribute(std::string_view name, std::string_view value) override { apply(cutView(name), cutView(value)); }
      void failure(dom::Status status) override { walk.failed(status); }
      WalkCursors& walk;
      Apply& apply;
    } visitor(*this, apply);
    map.forEachAttribute(visitor);
  }

  // Calls apply(position, child) for each child of node.
  template <class Apply>
  void forEachChild(dom::IXMLDOMNode& node, Apply apply) {
    struct Children final : dom::ChildVisitor {
      Children(WalkCursors& walk, Apply& apply) : walk(walk), apply(apply) {}
      void child(long position, dom::IXMLDOMNode& child) override { apply(position, child); }
      void failure(dom::Status status) override { walk.failed(status); }
      WalkCursors& walk;
      Apply& apply;
    } visitor(*this, apply);
    node.forEachChild(visitor);
  }

  // Calls apply(position, name, value) for each attribute of each child element of element.
  template <class Apply>
  void forEachChildAttribute(dom::IXMLDOMNode& element, Apply apply) {
    forEachChild(element, [&](long position, dom::IXMLDOMNode& child) {
      const dom::Status mapStatus = child.get_attributes(childAttributeMap);
      if (!childAttributeMap) {
        if (mapStatus != dom::kFalse) failed(dom::failed(mapStatus) ? mapStatus : dom::kFail);
        return;  // comments and other nodes that are not elements carry nothing
      }
      if (failed(mapStatus)) return;
      forEachAttribute(*childAttributeMap,
                       [&](std::string_view childName, std::string_view value) { apply(position, childName, value); });
    });
  }
};

}  // namespace

// The reader's private cursors and lists, for the walk.
struct ParameterFileWalk {
  static bool read(ParameterFileReader& reader, std::string& fileName, File kind, EntryObserver* observer);
  static std::map<std::string, ParamStructure> take(ParameterFileReader& reader) {
    std::map<std::string, ParamStructure> list;
    list.swap(reader.paramList);
    return list;
  }
};

bool readParameterEntries(ParameterFileReader& reader, std::string& fileName, File kind, EntryObserver* observer) {
  return ParameterFileWalk::read(reader, fileName, kind, observer);
}

std::map<std::string, ParamStructure> takeEntries(ParameterFileReader& reader) {
  return ParameterFileWalk::take(reader);
}

bool ParameterFileWalk::read(ParameterFileReader& reader, std::string& fileName, File kind, EntryObserver* observer) {
  auto& pXMLDoc = reader.pXMLDoc;
  auto& pRootElement = reader.pRootElement;
  auto& pElementAttributeMap = reader.pElementAttributeMap;
  auto& currentParam = reader.currentParam;
  auto& currentSync = reader.currentSync;
  auto& status = reader.status;
  logging::debug(
      {"ParameterFileReader::readParameterFile ::The name of the Xml File to be loaded is : ", fileName, "."});
  if (fileName.empty()) return false;

  if (!pXMLDoc) {
    pXMLDoc.Attach(reader.DomFromCOM());
    if (!pXMLDoc) {
      logging::error({"Failed to parse parameter file"});
      return false;
    }
  }

  reader.xmlFileName.bstrVal = fileName;
  bool loaded = false;
  status = pXMLDoc->load(reader.xmlFileName.bstrVal, loaded);
  if (dom::failed(status) || !loaded) {
    logging::error(dom::failed(status) ? logging::kCodeMissingFile : logging::kCodeMalformedXml,
                   {"Failed to load DOM from given xml:", fileName, "."});
    return false;
  }
  logging::debug({"OPENING XML FILE TO READ:", fileName, "."});

  // Once the file is loaded the result is true: a failing call only skips what it would yield.
  WalkCursors walk{reader.pChildAttributeMap, status};
  if (walk.failed(pXMLDoc->get_documentElement(pRootElement)) || !pRootElement) return true;
  walk.forEachChild(*pRootElement, [&](long, dom::IXMLDOMNode& element) {
    const dom::Status mapStatus = element.get_attributes(pElementAttributeMap);
    if (mapStatus == dom::kFalse && !pElementAttributeMap) return;  // not an element: no entry
    if (kind == TYPE_FILE) {
      currentParam.enumNumericValues.clear();
      currentParam.enumValues.clear();
    } else if (kind == SYNC_FILE) {
      currentSync.enumValues.clear();
      currentSync.enumNumericValues.clear();
    }
    bool recognised = false;
    if (walk.failed(mapStatus)) {
      // nothing of this element can be read
    } else if (!pElementAttributeMap) {
      walk.failed(dom::kFail);
    } else {
      walk.forEachAttribute(*pElementAttributeMap, [&](std::string_view name, std::string_view value) {
        if (kind == PIXIT_FILE) {
          applyPixitAttribute(currentParam, name, value);
        } else if (kind == TYPE_FILE) {
          if (name == "Name") {
            currentParam.name.assign(value);
          } else if (name == "Basetype") {
            const BasetypeRule* rule = findBasetypeRule(value);
            if (rule == nullptr) return;
            recognised = true;
            if (rule->basetypeAtOnce) currentParam.basetype = rule->basetype;
            if (rule->reading == ChildReading::kNone) return;
            walk.forEachChildAttribute(element,
                                       [&](long position, std::string_view childName, std::string_view childValue) {
                                         applyTypeChildAttribute(currentParam, *rule, position, childName, childValue);
                                       });
          }
        } else if (kind == SYNC_FILE) {
          applySyncAttribute(currentSync, name, value);
          if (name == "Type" && value == "Enum") {
            walk.forEachChildAttribute(element, [&](long, std::string_view childName, std::string_view childValue) {
              applyEnumeratorAttribute(currentSync.enumValues, currentSync.enumNumericValues, childName, childValue);
            });
          }
        }
      });
    }
    // Insertion never replaces: the first record stored under a name stays.
    if (kind == PIXIT_FILE || (kind == TYPE_FILE && recognised)) {
      // Files list their entries mostly in name order: the end is tried first as the place.
      auto& list = reader.paramList;
      const std::size_t before = list.size();
      list.try_emplace(list.end(), currentParam.name, currentParam);
      const bool stored = list.size() != before;
      if (observer != nullptr) observer->entry(currentParam, stored, element);
    } else if (kind == SYNC_FILE) {
      reader.paramList_Sync.push_back(currentSync);
    } else if (kind == TYPE_FILE && observer != nullptr) {
      observer->entry(currentParam, false, element);
    }
  });
  return true;
}

}  // namespace params
}  // namespace l3xml

bool ParameterFileReader::readParameterFile(std::string& fileName, File kind) {
  return l3xml::params::readParameterEntries(*this, fileName, kind, nullptr);
}
