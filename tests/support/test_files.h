// Temporary folders and whole-file reads and writes for tests.
#ifndef L3XML_TESTS_TEST_FILES_H
#define L3XML_TESTS_TEST_FILES_H

#include <filesystem>
#include <string>

namespace l3xml_test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder joined with a relative path, as a string.
  std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// Writes content (bytes as given) to path, creating the folders on the way.
void writeFile(const std::string& path, const std::string& content);
// The bytes of the file at path; empty when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

}  // namespace l3xml_test

#endif  // L3XML_TESTS_TEST_FILES_H
