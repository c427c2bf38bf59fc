// Generated inputs for the benchmarks: message templates shaped like RRC messages, a PIXIT file,
// its type file, and whole framework folders. Deterministic: the same arguments give the same bytes.
#ifndef L3XML_BENCH_GENERATED_INPUTS_H
#define L3XML_BENCH_GENERATED_INPUTS_H

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace l3xml_bench {

// Names the generated templates are known to hold, for the benchmarks that select by them.
inline constexpr const char* kRootName = "RadioBearerSetup";
inline constexpr const char* kLeafName = "transportChannelIdentity";  // only ever a leaf, several times
inline constexpr const char* kPlaceholder = "px_RRC_TransactionId";
// A leaf ten levels deep, named by a dotted path from the root.
inline constexpr const char* kLeafPath =
    "RadioBearerSetup.c1.r3.radioBearerSetup-r3.rab-InformationSetupList.SEQUENCE.rab-Info.rab-Identity.c1.gsm-MAP-RAB-"
    "Identity";

// A template of about targetBytes: a fixed head (integrity check, the c1/r3 choice, the path
// above), then information elements until the size is reached: values, PIXIT references to
// `references`, bit strings written with blanks, absent and present optional
// parts (opt...), choices (c1 and an alternative), SEQUENCE runs and plain containers, nested up
// to about sixteen levels and indented by two spaces a level.
std::string messageTemplate(std::size_t targetBytes, const std::vector<std::string>& references, unsigned seed);

// A template nested `levels` deep below its root: choices, optional parts, SEQUENCE items and
// plain containers in turn, a bit string at the bottom, one element per line.
std::string deepTemplate(int levels);

// The PIXIT file's parameter names: the ones the templates' head uses, then px_Param00000 on.
std::string parameterName(int index);

// A PIXIT file of `parameters` entries (every attribute the reader knows, comments naming a few
// message files) whose types come from a type file of `types` definitions.
std::string pixitFile(int parameters, int types);

// A type file: Boolean, Integer, Double, String, Binary and Enum definitions in turn.
std::string typeFile(int types);

// Writes content to path, making its folder; throws std::runtime_error when it cannot.
void writeFile(const std::filesystem::path& path, const std::string& content);

// A framework folder: `templates` message templates of 2 to 20 KB spread over PrimaryCell,
// SecondaryCell and NASMessage, a PIXIT file L3_WCDMA_PIXIT.xml of `parameters` entries whose
// comments name two templates each (which refer to them), its type file and an association file.
void writeFramework(const std::filesystem::path& root, int templates, int parameters);

}  // namespace l3xml_bench

#endif  // L3XML_BENCH_GENERATED_INPUTS_H
