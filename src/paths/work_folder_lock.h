// The one lock per work folder that every read-modify-write of a working copy or of an
// intermediate file holds for its whole duration, so that writers in several processes
// serialise and the fixed intermediate names are never shared.
#ifndef L3XML_PATHS_WORK_FOLDER_LOCK_H
#define L3XML_PATHS_WORK_FOLDER_LOCK_H

#include <string>

#include "platform/file_system.h"

namespace l3xml {
namespace paths {

// The lock file's name, in the work folder itself.
inline constexpr const char* kLockFileName = "l3xml.lock";

// How long a writer waits for another one before it gives up with an error.
inline constexpr int kLockTimeoutMilliseconds = 5000;

// Holds the work folder's lock while it lives. A thread that already holds the lock of the same
// folder holds it once more (nested steps of one write). held() is false, and an error naming
// the call and the folder has been logged, when the lock could not be taken in time.
class WorkFolderLock {
 public:
  WorkFolderLock(const char* call, const std::string& work);
  WorkFolderLock(const WorkFolderLock&) = delete;
  WorkFolderLock& operator=(const WorkFolderLock&) = delete;
  ~WorkFolderLock();

  bool held() const { return held_; }

 private:
  std::string work_;
  platform::FileLock lock_;
  bool held_ = false;
  bool nested_ = false;
};

}  // namespace paths
}  // namespace l3xml

#endif  // L3XML_PATHS_WORK_FOLDER_LOCK_H
