// Campaign checking: every problem of a framework, its campaign and its templates.
#include <l3xml/framework.h>

#include "api/call.h"

namespace l3xml {

Diagnostics Framework::check(const CheckOptions&) const {
  return {Diagnostic{Severity::kError, codes::kInternal, folders_.system, 0, 0, "checking is not built yet"}};
}

Result<std::vector<Reach>> Framework::impact(const Campaign&, const std::string&) const {
  return Result<std::vector<Reach>>(
      Diagnostics{Diagnostic{Severity::kError, codes::kInternal, folders_.system, 0, 0, "not built yet"}});
}

Result<std::vector<FieldDifference>> Framework::compareCampaigns(const Campaign&, const Campaign&) const {
  return Result<std::vector<FieldDifference>>(
      Diagnostics{Diagnostic{Severity::kError, codes::kInternal, folders_.system, 0, 0, "not built yet"}});
}

}  // namespace l3xml
