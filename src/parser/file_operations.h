// The logged file copy of the writing side.
#ifndef L3XML_PARSER_FILE_OPERATIONS_H
#define L3XML_PARSER_FILE_OPERATIONS_H

#include <string>

namespace l3xml {
namespace parser {

// Copies source onto destination, replacing it, and logs the outcome in three lines (debug on
// success, error on failure). True when copied.
bool copyFileLogged(const std::string& source, const std::string& destination);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_FILE_OPERATIONS_H
