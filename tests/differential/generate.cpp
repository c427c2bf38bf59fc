// The generated templates: RRC-like trees with random layout, markup, references and encodings,
// and malformed ones that carry one fault each. Seeded, so every run makes the same bytes.
#include <cstdint>

#include "differential.h"

namespace l3xml_differential {
namespace {

constexpr int kWellFormed = 256;
constexpr std::size_t kMalformed = 64;

// splitmix64: the same sequence on every platform, unlike the standard distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
  bool chance(unsigned percent) { return below(100) < percent; }
  template <class T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(N)];
  }

 private:
  std::uint64_t state_;
};

// clang-format off
const char* const kMessages[] = {"RRCConnectionSetup", "ActiveSetUpdate", "CellUpdateConfirm", "RRCConnectionRelease"};
const char* const kSections[] = {"c1", "r3", "optIntegrityCheckInfo", "rb-InformationSetupList", "dl-CommonInformation"};
const char* const kFields[] = {"rrc-TransactionIdentifier", "n-308", "releaseCause", "sf128", "rb-Identity",
                               "utran-DRX-CycleLengthCoeff", "messageAuthenticationCode", "activationTime"};
// Leaf contents in UTF-8; characters an encoding lacks become references when encoded. Texts
// keep to the characters of windows-1252, which the Windows backend's narrow texts can hold.
const char* const kValues[] = {
    "px_RRC_TransactionId", "0", "17", "0 1 1 0 1", "  5 ", "\n\t7\n", "a &amp; b", "&lt;x&gt; &quot;q&quot; &apos;",
    "&#65;&#x42;", "caf\xC3\xA9", "&#233;&#8364;", "line&#13;\nnext", "<![CDATA[ raw <x> & ]]>", "<!-- note -->9",
    "<?pi data?>3", "t1<b>x</b>t2", "it's \"quoted\"", "a > b", "a\tb", "\xE2\x82\xAC 12", "x<![CDATA[]]>", "",
    "\xC3\xBC \xC3\x9F"};
const char* const kAttributes[] = {" id=\"3\"", " note=\"a&amp;b&#9;c\"", " t='say \"x\"'", " v=\"a\tb\nc\"",
                                   " e=\"caf\xC3\xA9 &#8364; \xCE\xA9\"", " cr=\"&#13;\""};
// One fault each, in a leaf's place.
const char* const kFaults[] = {
    "x & y", "&;", "&foo;", "&nbsp;", "&amp x", "&#0;", "&#1;", "&#xD800;", "&#x110000;", "&#xFFFE;", "&#xZZ;",
    "&#12a;", "a\x01-", "a]]>b", "<!-- a -- b -->", "<!-- a --->", "caf\xC3", "\xFF", "\xED\xA0\x80", "\xC0\xAF",
    "\xEF\xBF\xBE", "<b\xC3\x97s>x</b\xC3\x97s>", "<\xC3\x97t/>", "<q:b/>", "<b></c>", "<b>", "<e a=\"x<y\"/>",
    "<e a=\"x&y\"/>", "<e a=\"\x01\"/>", "<e a='1' a='2'/>", "<?xml version=\"1.0\"?>"};
// Faults in place of the declaration.
const char* const kDeclarationFaults[] = {
    "<?xml encoding=\"UTF-8\"?>", "<?xml version=\"2.0\"?>", "<?xml version=\"1.0\" standalone=\"maybe\"?>",
    "<?xml version=\"1.0\" encoding=\"x-nonsense\"?>", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>",
    "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"UTF-8\"?>"};
// clang-format on
constexpr std::size_t kContentFaultCount = sizeof(kFaults) / sizeof(kFaults[0]);
constexpr std::size_t kFaultCount = kContentFaultCount + sizeof(kDeclarationFaults) / sizeof(kDeclarationFaults[0]);

enum class Encoding { kNone, kUtf8, kUtf8Mark, kWindows1252, kLatin1, kUtf16 };

// windows-1252's characters at 0x80-0x9F that are not there in ISO-8859-1 (a sample).
std::uint32_t windows1252Byte(std::uint32_t code) {
  switch (code) {
    case 0x20AC:
      return 0x80;
    case 0x2019:
      return 0x92;
    default:
      return code < 0x100 ? code : 0;
  }
}

// utf8 in the encoding, with what it cannot hold as character references.
std::string encoded(const std::string& utf8, Encoding encoding) {
  if (encoding == Encoding::kNone || encoding == Encoding::kUtf8) return utf8;
  if (encoding == Encoding::kUtf8Mark) return "\xEF\xBB\xBF" + utf8;
  std::string bytes = encoding == Encoding::kUtf16 ? "\xFF\xFE" : "";
  for (std::size_t at = 0; at < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) code = code << 6 | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
    at += length;
    if (encoding == Encoding::kUtf16) {
      bytes += static_cast<char>(code & 0xFF);
      bytes += static_cast<char>(code >> 8);
      continue;
    }
    const std::uint32_t byte = encoding == Encoding::kLatin1 ? (code < 0x100 ? code : 0) : windows1252Byte(code);
    bytes += byte != 0 ? std::string(1, static_cast<char>(byte)) : "&#" + std::to_string(code) + ';';
  }
  return bytes;
}

class Template {
 public:
  // A template with fault (null for none) in a leaf's place or in the declaration's.
  Template(std::uint64_t seed, const char* fault, bool inDeclaration)
      : random_(seed), fault_(fault), inDeclaration_(inDeclaration) {
    const char* const indents[] = {"", "  ", "    ", "\t"};
    indent_ = random_.pick(indents);
    lineEnd_ = random_.chance(30) ? "\r\n" : "\n";
    prefixed_ = random_.chance(25);
    const Encoding encodings[] = {Encoding::kNone,   Encoding::kNone,  Encoding::kUtf8,
                                  Encoding::kUtf8,   Encoding::kUtf8,  Encoding::kWindows1252,
                                  Encoding::kLatin1, Encoding::kUtf16, Encoding::kUtf8Mark};
    // A fault's bytes are UTF-8.
    encoding_ = fault == nullptr ? random_.pick(encodings) : random_.chance(50) ? Encoding::kNone : Encoding::kUtf8;
  }

  std::string bytes() {
    static const char* const kEncodingNames[] = {"", "UTF-8", "UTF-8", "windows-1252", "ISO-8859-1", "UTF-16"};
    const char* name = kEncodingNames[static_cast<int>(encoding_)];
    if (fault_ != nullptr && inDeclaration_) {
      text_ += '\x02';
    } else if (*name != '\0' || random_.chance(50)) {
      text_ += "<?xml version=\"1.0\"";
      if (*name != '\0') text_ += std::string(" encoding=\"") + name + '"';
      if (random_.chance(15)) text_ += " standalone=\"yes\"";
      text_ += "?>";
    }
    if (!text_.empty()) text_ += lineEnd_;
    if (random_.chance(20)) text_ += "<!-- generated -->" + lineEnd_;
    const std::string root = random_.pick(kMessages);
    if (random_.chance(10)) text_ += "<?app version=\"2\"?>" + lineEnd_;
    element(root, 0);
    text_ += lineEnd_;
    if (random_.chance(15)) text_ += "<!-- end -->" + lineEnd_;
    const std::size_t at = text_.find('\x02');
    if (at == std::string::npos) return encoded(text_, encoding_);
    return encoded(text_.substr(0, at), encoding_) + fault_ + encoded(text_.substr(at + 1), encoding_);
  }

 private:
  void element(const std::string& local, int depth) {
    const std::string name = prefixed_ && random_.chance(50) ? "p:" + local : local;
    text_ += '<' + name;
    if (depth == 0 && prefixed_) text_ += " xmlns:p=\"urn:rrc\"";
    if (random_.chance(15)) text_ += random_.pick(kAttributes);
    if (prefixed_ && random_.chance(10)) text_ += " p:k=\"1\"";
    if (depth >= 4 || (depth >= 2 && random_.chance(45))) {
      if (random_.chance(8)) {
        text_ += "/>";
      } else {
        text_ += '>' + leafContent() + "</" + name + '>';
      }
      return;
    }
    text_ += '>';
    const std::size_t children = 1 + random_.below(4);
    for (std::size_t i = 0; i < children; ++i) {
      breakLine(depth + 1);
      element(depth == 0 ? random_.pick(kSections) : random_.pick(kFields), depth + 1);
    }
    if (depth == 0 && faultDue(100)) text_ += '\x02';
    breakLine(depth);
    text_ += "</" + name + '>';
  }

  std::string leafContent() { return faultDue(40) ? "\x02" : random_.pick(kValues); }

  bool faultDue(unsigned percent) {
    if (fault_ == nullptr || inDeclaration_ || faultPlaced_ || !random_.chance(percent)) return false;
    faultPlaced_ = true;
    return true;
  }

  // An indented layout, or one line with a blank now and then.
  void breakLine(int depth) {
    if (indent_.empty()) {
      if (random_.chance(20)) text_ += ' ';
      return;
    }
    if (random_.chance(5)) text_ += "  ";
    text_ += lineEnd_;
    for (int i = 0; i < depth; ++i) text_ += indent_;
  }

  Random random_;
  const char* fault_;
  bool inDeclaration_;
  std::string indent_;
  std::string lineEnd_;
  bool prefixed_ = false;
  bool faultPlaced_ = false;
  Encoding encoding_ = Encoding::kNone;
  std::string text_;
};

std::string numbered(char kind, int number) {
  std::string digits = std::to_string(number);
  return std::string(1, kind) + std::string(3 - digits.size(), '0') + digits + ".xml";
}

}  // namespace

std::vector<std::pair<std::string, std::string>> generateTemplates() {
  std::vector<std::pair<std::string, std::string>> templates;
  for (int i = 0; i < kWellFormed; ++i) {
    templates.emplace_back(numbered('v', i), Template(1000 + i, nullptr, false).bytes());
  }
  for (std::size_t i = 0; i < kMalformed; ++i) {
    const std::size_t fault = i % kFaultCount;
    const bool inDeclaration = fault >= kContentFaultCount;
    const char* bytes = inDeclaration ? kDeclarationFaults[fault - kContentFaultCount] : kFaults[fault];
    templates.emplace_back(numbered('m', static_cast<int>(i)), Template(5000 + i, bytes, inDeclaration).bytes());
  }
  return templates;
}

}  // namespace l3xml_differential
