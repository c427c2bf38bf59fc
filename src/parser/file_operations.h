// Whole-file operations shared by the writing side.
#ifndef L3XML_PARSER_FILE_OPERATIONS_H
#define L3XML_PARSER_FILE_OPERATIONS_H

#include <string>

namespace l3xml {
namespace parser {

// Copies source onto destination, replacing it, and logs the outcome in three lines (debug on
// success, error on failure). True when copied.
bool copyFileLogged(const std::string& source, const std::string& destination);

// The bytes of a file; false when it cannot be read whole.
bool readWholeFile(const std::string& path, std::string& content);

// Writes the bytes to a file, creating or truncating it; false when any step fails.
bool writeWholeFile(const std::string& path, const std::string& content);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_FILE_OPERATIONS_H
