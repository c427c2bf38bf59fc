// Temporary folders removed on every way out.
#include "temporary_folder.h"

#include <cctype>
#include <filesystem>

#include "command.h"
#include "host_platform.h"

namespace fs = std::filesystem;

namespace l3xml_cli {

void checkpoint() {
  if (const int signal = caughtSignal(); signal != 0) throw Interrupted{signal};
}

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
  // Recorded before the folder exists, so that no signal finds it made and not yet owned.
  cleanupNeeded(true);
  path_ = makeTemporaryFolder(prefix);
  if (path_.empty()) {
    cleanupNeeded(false);
    std::error_code error;
    throw CommandFailure("no temporary folder could be made under " + fs::temp_directory_path(error).string());
  }
}

TemporaryFolder::~TemporaryFolder() {
  if (!keep_) {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  cleanupNeeded(false);
}

// A failure names the framework's file, never the temporary folder, which is gone by the time
// the message is read.
namespace {

bool isXmlFile(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".xml";
}

// A shared XML file is a second name of the framework's own file: safe because the library never
// writes into an existing file, it writes a new one and renames it over the old name. Other files
// (a lock, a log) are copied, and so is everything when the file system cannot link.
bool placeFile(const fs::path& source, const fs::path& target, bool sharing, std::error_code& error) {
  if (sharing && isXmlFile(source)) {
    fs::create_hard_link(source, target, error);
    if (!error) return true;
    error.clear();
  }
  return fs::copy_file(source, target, error);
}

}  // namespace

void copyFramework(const std::string& source, const std::string& destination, bool sharing) {
  std::error_code error;
  fs::recursive_directory_iterator entry(source, error);
  for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
    checkpoint();
    const fs::path relative = entry->path().lexically_relative(source);
    if (entry.depth() == 0 && relative == "temp") {
      entry.disable_recursion_pending();
      continue;
    }
    const fs::path target = fs::path(destination) / relative;
    if (entry->is_directory(error) ? !fs::create_directories(target, error) && error
                                   : !placeFile(entry->path(), target, sharing, error)) {
      throw CommandFailure("the framework could not be copied to a temporary folder: " + error.message() + " (" +
                           entry->path().string() + ")");
    }
  }
  if (error) throw CommandFailure("the framework " + source + " could not be read: " + error.message());
}

}  // namespace l3xml_cli
