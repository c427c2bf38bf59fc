// Locations of the modern interface from the candidates of the search list.
#ifndef L3XML_API_LOCATIONS_H
#define L3XML_API_LOCATIONS_H

#include <l3xml/framework.h>

#include "paths/framework_paths.h"

namespace l3xml {
namespace api {

Location locationOf(const paths::Candidate& candidate);

}  // namespace api
}  // namespace l3xml

#endif  // L3XML_API_LOCATIONS_H
