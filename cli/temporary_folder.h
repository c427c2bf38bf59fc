// Temporary folders that never outlive the program: removed at the end, on an error, and when an
// interrupt, a terminate or a broken pipe ends the program.
#ifndef L3XML_CLI_TEMPORARY_FOLDER_H
#define L3XML_CLI_TEMPORARY_FOLDER_H

#include <string>

namespace l3xml_cli {

// A signal arrived while a temporary folder existed: thrown from the next checkpoint, so that
// destructors remove the folders before the program ends by the signal.
struct Interrupted {
  int signal;
};

// Throws Interrupted when an ending signal has been recorded.
void checkpoint();

class TemporaryFolder {
 public:
  // A fresh folder named prefix + random; throws CommandFailure when none can be made.
  explicit TemporaryFolder(const std::string& prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }
  void keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

// Copies a framework folder into destination without its temp folder (working copies left by
// an earlier run would be read instead of the templates), a checkpoint between files. With
// sharing, the XML files are hard links to the framework's own where the file system allows it:
// only for a copy that nothing but the library writes and that is removed at the end.
void copyFramework(const std::string& source, const std::string& destination, bool sharing = false);

}  // namespace l3xml_cli

#endif  // L3XML_CLI_TEMPORARY_FOLDER_H
