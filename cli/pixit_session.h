// The host's PIXIT maps: loaded through the library and registered with the parser.
#ifndef L3XML_CLI_PIXIT_SESSION_H
#define L3XML_CLI_PIXIT_SESSION_H

#include <map>
#include <optional>
#include <string>

#include <l3xml/l3xml.h>

#include "output.h"
#include "settings.h"

namespace l3xml_cli {

class PixitSession {
 public:
  PixitSession() = default;
  // The library keeps a pointer to the registered map: the session stays where it is.
  PixitSession(const PixitSession&) = delete;
  PixitSession& operator=(const PixitSession&) = delete;

  // Reads the PIXIT file, its type file and (when asked) applies the association file, as the
  // framework does at the start of a campaign. Throws a CommandFailure with the reason when the
  // library refuses; warns when the association file is missing or unreadable.
  void load(const Settings& settings, const Output& output, const std::string& pixitPath, bool applyAssociation);
  // Registers the parameters with the parser, which indexes them by the files they name.
  void registerWith(CXMLParser& parser);

  bool loaded() const { return loaded_; }
  const std::string& pixitPath() const { return pixitPath_; }
  std::map<std::string, ParamStructure>& parameters() { return parameters_; }
  const std::map<std::string, ParamStructure>& parameters() const { return parameters_; }
  const std::map<std::string, ParamStructure>& types() const { return types_; }
  // The value that a PIXIT reference resolves to; none when the parameter is not loaded.
  std::optional<std::string> valueOf(const std::string& reference) const;

 private:
  std::map<std::string, ParamStructure> parameters_;
  std::map<std::string, ParamStructure> types_;
  std::string pixitPath_;
  bool loaded_ = false;
};

// The type file the library reads with a PIXIT file, by the PIXIT file's name.
std::string typeFileFor(const std::string& pixitPath);

// For commands that read templates: loads the framework's PIXIT file without the association
// file, so that references resolve as they do in the framework. With no --pixit and no single
// PIXIT file at the root it goes on without one, and says so unless quietly is set.
void loadPixitForReading(const Settings& settings, const Output& output, PixitSession& session, CXMLParser& parser,
                         bool quietly);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_PIXIT_SESSION_H
