// Keeps COM initialised on the test thread for the whole run, as the framework does on its own
// thread: the library's objects initialise and uninitialise it in pairs, and a count that fell
// to zero between two tests would unload the XML service under documents still held.
#include <gtest/gtest.h>

#include "platform/com_runtime.h"

namespace l3xml_test {
namespace {

class ComApartment : public ::testing::Environment {
 public:
  void SetUp() override { l3xml::platform::initializeCom(); }
  void TearDown() override { l3xml::platform::uninitializeCom(); }
};

const ::testing::Environment* const apartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

}  // namespace
}  // namespace l3xml_test
