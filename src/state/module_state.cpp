// The module-wide state behind the legacy entry points.
#include "state/module_state.h"

namespace l3xml {
namespace state {

ModuleState& module() {
  static ModuleState instance;
  return instance;
}

void resetModuleForTesting() { module() = ModuleState(); }

}  // namespace state
}  // namespace l3xml
