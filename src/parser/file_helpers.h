// Whole-file helpers of the writing side: the logged copy and the trim after the last '>'.
#ifndef L3XML_PARSER_FILE_HELPERS_H
#define L3XML_PARSER_FILE_HELPERS_H

#include <string>

namespace l3xml {
namespace parser {

// Copies source onto destination, replacing it, and logs the outcome in three lines (debug on
// success, error on failure). True when copied.
bool copyFileLogged(const std::string& source, const std::string& destination);

// Removes every character after the file's last '>' through the intermediate file "newFile.xml"
// in work. 0 when trimmed; 1 when the file holds no '>' or a step failed (the file as it was).
long trimAfterLastTag(const std::string& work, const std::string& path);

}  // namespace parser
}  // namespace l3xml

#endif  // L3XML_PARSER_FILE_HELPERS_H
