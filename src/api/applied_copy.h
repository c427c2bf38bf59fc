// A campaign applied to a temporary copy of a framework's templates, as the host applies it.
#ifndef L3XML_API_APPLIED_COPY_H
#define L3XML_API_APPLIED_COPY_H

#include <map>
#include <set>
#include <string>
#include <vector>

#include <l3xml/framework.h>

#include "api/call.h"

namespace l3xml {
namespace api {

// Templates copied into a new temporary folder, each into the folder where the lookup found it
// (a user folder's template among the system's), with no working copy: a framework of its own
// whose system folder is also its work folder, so that a campaign's writes are read back as the
// host reads them while the framework itself is only read. Removed with the object.
class AppliedCopy {
 public:
  explicit AppliedCopy(std::vector<TemplateEntry> entries);
  ~AppliedCopy();
  AppliedCopy(const AppliedCopy&) = delete;
  AppliedCopy& operator=(const AppliedCopy&) = delete;

  // Empty when no temporary folder could be made.
  const std::string& folder() const { return folder_; }
  Folders folders(const std::string& cell) const { return Folders{folder_, "", cell, folder_}; }

  // Writes the campaign as the host's run does: the association bindings (converted from the values
  // as read, as the load converts them), then every parameter into each copied template its comment
  // names. call is a call over folders(); the campaign's values stay registered with it.
  void apply(Call& call, const Campaign& campaign);
  // The file that the lookup reads for entry in the copy; empty when it was not copied.
  std::string pathOf(const TemplateEntry& entry) const;

 private:
  std::string folder_;
  std::vector<TemplateEntry> copied_;
  std::set<std::string> labels_;
  std::map<std::string, ParamStructure> values_;
};

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_APPLIED_COPY_H
