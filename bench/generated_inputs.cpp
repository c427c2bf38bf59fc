// Generated inputs for the benchmarks: templates, PIXIT and type files, framework folders.
#include "generated_inputs.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace l3xml_bench {

namespace {

// Names as RRC messages use them. Leaf names never name a container, and kLeafName is a leaf
// name only; container names are never leaves.
const char* const kLeaves[] = {"ul-RLC-Mode",
                               "dl-RLC-Mode",
                               "logicalChannelIdentity",
                               "mac-LogicalChannelPriority",
                               kLeafName,
                               "powerOffsetInformation",
                               "ctfc2",
                               "numberOfTransportBlocks",
                               "rlc-Size",
                               "crc-Size",
                               "rateMatchingAttribute",
                               "primaryScramblingCode",
                               "cpich-TxPower",
                               "dpcch-PowerOffset",
                               "pc-Preamble",
                               "sRB-delay",
                               "timingOffset",
                               "spreadingFactor",
                               "n-308",
                               "q-QualMin"};
const char* const kBitStrings[] = {"messageAuthenticationCode", "u-RNTI", "c-RNTI", "scramblingCodeChange",
                                   "tfci-Existence"};
const char* const kOptionals[] = {"optPdcp-Info",        "optActivationTime",
                                  "optNew-U-RNTI",       "optNew-C-RNTI",
                                  "optSsdt-Information", "optPowerControlAlgorithm",
                                  "optTfc-Subset",       "optHeaderCompression",
                                  "optRb-StopContinue",  "optDl-CounterSynchronisationInfo"};
const char* const kChoiceHolders[] = {"rlc-InfoChoice", "modeSpecificInfo",      "ul-TFCS",
                                      "tfs-Choice",     "gainFactorInformation", "channelisationCode"};
const char* const kAlternatives[] = {"fdd", "tdd", "explicit", "computed", "normalTFCI-Signalling", "signalled"};
const char* const kLists[] = {"rb-MappingInfo", "rb-InformationSetupList", "dl-AddReconfTransChInfoList",
                              "ul-AddReconfTransChInfoList", "dynamicTF-InformationList"};
const char* const kContainers[] = {"rlc-Info",     "ul-CommonTransChInfo", "dl-CommonTransChInfo", "transportFormatSet",
                                   "ul-DPCH-Info", "dl-DPCH-InfoCommon",   "powerControlInfo"};

template <std::size_t N>
const char* pick(std::mt19937& random, const char* const (&names)[N]) {
  return names[random() % N];
}

class TemplateWriter {
 public:
  TemplateWriter(const std::vector<std::string>& references, unsigned seed) : references_(references), random_(seed) {}

  std::string write(std::size_t targetBytes) {
    xml_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RadioBearerSetup>\n";
    open(1, "optIntegrityCheckInfo");
    leaf(2, "messageAuthenticationCode", bits(32));
    leaf(2, "rrc-MessageSequenceNumber", "5");
    close(1, "optIntegrityCheckInfo");
    open(1, "c1");
    open(2, "r3");
    open(3, "radioBearerSetup-r3");
    leaf(4, "rrc-TransactionIdentifier", kPlaceholder);
    empty(4, "optIntegrityProtectionModeInfo");
    open(4, "rab-InformationSetupList");
    open(5, "SEQUENCE");
    open(6, "rab-Info");
    open(7, "rab-Identity");
    open(8, "c1");
    leaf(9, "gsm-MAP-RAB-Identity", "0 0 0 0 0 1 0 1");
    close(8, "c1");
    close(7, "rab-Identity");
    leaf(7, "cn-DomainIdentity", "px_CN_DomainIdentity");
    leaf(7, kLeafName, "3");
    close(6, "rab-Info");
    close(5, "SEQUENCE");
    close(4, "rab-InformationSetupList");
    const std::size_t tail = 64;
    while (xml_.size() + tail < targetBytes) fields(4, 1);
    close(3, "radioBearerSetup-r3");
    close(2, "r3");
    close(1, "c1");
    return xml_ + "</RadioBearerSetup>\n";
  }

 private:
  void indent(int level) { xml_.append(static_cast<std::size_t>(level) * 2, ' '); }
  void open(int level, const std::string& name) {
    indent(level);
    xml_ += "<" + name + ">\n";
  }
  void close(int level, const std::string& name) {
    indent(level);
    xml_ += "</" + name + ">\n";
  }
  void empty(int level, const std::string& name) {
    indent(level);
    xml_ += "<" + name + "/>\n";
  }
  void leaf(int level, const std::string& name, const std::string& value) {
    indent(level);
    xml_ += "<" + name + ">" + value + "</" + name + ">\n";
  }
  std::string bits(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += ' ';
      text += static_cast<char>('0' + random_() % 2);
    }
    return text;
  }
  std::string value() {
    const unsigned roll = random_() % 100;
    if (roll < 18 && !references_.empty()) return references_[random_() % references_.size()];
    if (roll < 60) return std::to_string(random_() % 16);
    return std::to_string(random_() % 65536);
  }
  // What an element's text holds: how many values, and whether the one value is a reference.
  struct Values {
    int count = 0;
    bool reference = false;
  };
  Values valued(const std::string& text) { return Values{1, text.compare(0, 3, "px_") == 0}; }

  // Elements at `level` under one parent. A choice, optional part or SEQUENCE item whose whole
  // text is one reference would stand for that reference and leave its braces open, so such a
  // group gets a second value.
  Values fields(int level, int count) {
    Values values;
    for (int i = 0; i < count; ++i) {
      const Values one = element(level);
      if (one.count > 0) values.reference = values.count == 0 && one.count == 1 && one.reference;
      values.count += one.count;
    }
    if (values.count == 1 && values.reference) {
      leaf(level, pick(random_, kLeaves), std::to_string(random_() % 16));
      values = Values{2, false};
    }
    return values;
  }

  // One information element at `level`: containers get rarer the deeper they stand.
  Values element(int level) {
    const unsigned container = level < 8 ? 45 : level < 13 ? 30 : level < 16 ? 15 : 0;
    const unsigned roll = random_() % 100;
    if (roll >= container) {
      const unsigned kind = random_() % 100;
      if (kind < 12) {
        empty(level, pick(random_, kOptionals));
        return Values();
      }
      const std::string text = kind < 22 ? bits(8 + 8 * static_cast<int>(random_() % 3)) : value();
      leaf(level, kind < 22 ? pick(random_, kBitStrings) : pick(random_, kLeaves), text);
      return valued(text);
    }
    const int children = 1 + static_cast<int>(random_() % 3);
    Values values;
    switch (random_() % 4) {
      case 0: {
        const std::string name = pick(random_, kOptionals);
        open(level, name);
        values = fields(level + 1, children);
        close(level, name);
        return values;
      }
      case 1: {
        const std::string holder = pick(random_, kChoiceHolders);
        const std::string alternative = pick(random_, kAlternatives);
        open(level, holder);
        open(level + 1, "c1");
        open(level + 2, alternative);
        values = fields(level + 3, children);
        close(level + 2, alternative);
        close(level + 1, "c1");
        close(level, holder);
        return values;
      }
      case 2: {
        const std::string list = pick(random_, kLists);
        open(level, list);
        for (int item = 0; item < children; ++item) {
          open(level + 1, "SEQUENCE");
          values.count += fields(level + 2, 1 + static_cast<int>(random_() % 3)).count;
          close(level + 1, "SEQUENCE");
        }
        close(level, list);
        return values;
      }
      default: {
        const std::string name = pick(random_, kContainers);
        open(level, name);
        values = fields(level + 1, children + 1);
        close(level, name);
        return values;
      }
    }
  }

  const std::vector<std::string>& references_;
  std::mt19937 random_;
  std::string xml_;
};

std::string padded(int number, int width) {
  std::string text = std::to_string(number);
  return std::string(text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0, '0') + text;
}

std::string typeName(int index) { return "Type" + padded(index, 3); }

// What each type's values look like: type index modulo six.
enum Basetype { kBoolean, kInteger, kEnum, kDouble, kString, kBinary };
Basetype basetypeOf(int type) { return static_cast<Basetype>(type % 6); }

std::string templateName(int index) { return "Message" + padded(index, 4) + ".xml"; }
const char* templateFolder(int index) {
  const int area = index % 20;
  return area < 14 ? "RRCMessage\\PrimaryCell\\" : area < 17 ? "RRCMessage\\SecondaryCell\\" : "NASMessage\\";
}

std::string parameterEntry(int index, int types, const std::string& comment) {
  const int type = index % types;
  std::string value;
  switch (basetypeOf(type)) {
    case kBoolean:
      value = index % 2 == 0 ? "TRUE" : "FALSE";
      break;
    case kEnum:
      value = "value" + std::to_string(index % 4);
      break;
    case kDouble:
      value = std::to_string(index % 50) + ".5";
      break;
    case kString:
      value = "text" + std::to_string(index);
      break;
    case kBinary:  // a decimal number written in base two: 8 digits wide
    default:       // every Integer type reaches 255
      value = std::to_string(index % 256);
      break;
  }
  return "  <Param Name=\"" + parameterName(index) + "\" Type=\"" + typeName(type) + "\" Value=\"" + value +
         "\" Group=\"Radio Bearers\" Unit=\"" + (index % 5 == 0 ? "dB" : "") + "\" Comment=\"" + comment +
         "\" Cell=\"" + (index % 7 == 0 ? "SecondaryCell" : "PrimaryCell") + "\"/>\n";
}

}  // namespace

std::string messageTemplate(std::size_t targetBytes, const std::vector<std::string>& references, unsigned seed) {
  return TemplateWriter(references, seed).write(targetBytes);
}

std::string deepTemplate(int levels) {
  static const char* const kSteps[] = {"c1", "optPdcp-Info", "SEQUENCE", "rlc-Info"};
  std::string xml = "<RadioBearerSetup>\n";
  for (int i = 0; i + 1 < levels; ++i) xml += std::string("<") + kSteps[i % 4] + ">\n";
  xml += "<messageAuthenticationCode>1 0 1 1 0 0 1 0</messageAuthenticationCode>\n";
  for (int i = levels - 1; i > 0; --i) xml += std::string("</") + kSteps[(i - 1) % 4] + ">\n";
  return xml + "</RadioBearerSetup>\n";
}

std::string parameterName(int index) {
  if (index == 0) return kPlaceholder;
  if (index == 1) return "px_CN_DomainIdentity";
  return "px_Param" + padded(index, 5);
}

std::string pixitFile(int parameters, int types) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PIXIT>\n";
  for (int i = 0; i < parameters; ++i) {
    const std::string comment = "RRCMessage\\PrimaryCell\\RadioBearerSetup.xml,RRCMessage\\PrimaryCell\\" +
                                templateName(i % 400) + ",NASMessage\\" + templateName(i % 90);
    xml += parameterEntry(i, types, comment);
  }
  return xml + "</PIXIT>\n";
}

std::string typeFile(int types) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Types>\n";
  for (int i = 0; i < types; ++i) {
    const std::string head = "  <Type Name=\"" + typeName(i) + "\" Basetype=\"";
    switch (basetypeOf(i)) {
      case kBoolean:
        xml += head + "Boolean\"/>\n";
        break;
      case kInteger:
        xml += head + "Integer\">\n    <Min Value=\"0\"/>\n    <Max Value=\"" + std::to_string(255 + i) +
               "\"/>\n  </Type>\n";
        break;
      case kEnum:
        xml += head + "Enum\">\n";
        for (int e = 0; e < 6; ++e) {
          xml += "    <Enumerator Value=\"value" + std::to_string(e) + "\" NumericValue=\"" + std::to_string(e * 2) +
                 "\"/>\n";
        }
        xml += "  </Type>\n";
        break;
      case kDouble:
        xml += head + "Double\">\n    <Min Value=\"-1.5\"/>\n    <Max Value=\"99.5\"/>\n  </Type>\n";
        break;
      case kString:
        xml += head +
               "String\">\n    <Min Value=\"1\"/>\n    <Max Value=\"64\"/>\n    <Format Value=\"ASCII\"/>\n"
               "  </Type>\n";
        break;
      case kBinary:
        xml += head + "Binary\">\n    <Width minValue=\"0\" maxValue=\"11111111\"/>\n  </Type>\n";
        break;
    }
  }
  return xml + "</Types>\n";
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void writeFramework(const std::filesystem::path& root, int templates, int parameters) {
  const int types = 301;
  std::mt19937 random(12);
  // Parameter i is named by templates i and 7i+3 (modulo the count): each template refers to the
  // parameters that name it.
  std::vector<std::vector<std::string>> namedBy(static_cast<std::size_t>(templates));
  std::string pixit = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PIXIT>\n";
  for (int i = 0; i < parameters; ++i) {
    const int first = i % templates;
    const int second = (7 * i + 3) % templates;
    namedBy[static_cast<std::size_t>(first)].push_back(parameterName(i));
    if (second != first) namedBy[static_cast<std::size_t>(second)].push_back(parameterName(i));
    pixit += parameterEntry(
        i, types,
        std::string(templateFolder(first)) + templateName(first) + "," + templateFolder(second) + templateName(second));
  }
  writeFile(root / "L3_WCDMA_PIXIT.xml", pixit + "</PIXIT>\n");
  writeFile(root / "L3_Wcdma_Types.xml", typeFile(types));

  std::string association = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Association>\n";
  for (int t = 0; t < templates; t += 30) {
    const int area = t % 20;
    if (area >= 17) continue;
    association += "  <Pixit Name=\"" + parameterName(t % parameters) + "\">\n    <Node Name=\"" + kLeafName +
                   "\" Type=\"" + typeName(1) + "\" AssociationField=\"" + templateName(t) + "\" CellName=\"" +
                   (area < 14 ? "PrimaryCell" : "SecondaryCell") + "\"/>\n  </Pixit>\n";
  }
  writeFile(root / "AssociationFile.xml", association + "</Association>\n");

  for (int t = 0; t < templates; ++t) {
    const std::string xml =
        messageTemplate(2048 + random() % (18 * 1024), namedBy[static_cast<std::size_t>(t)], random());
    std::string folder = templateFolder(t);
    for (char& c : folder) c = c == '\\' ? '/' : c;
    writeFile(root / folder / templateName(t), xml);
  }
}

}  // namespace l3xml_bench
