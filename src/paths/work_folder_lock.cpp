// The work folder's lock, taken once per thread and folder.
#include "paths/work_folder_lock.h"

#include <algorithm>
#include <vector>

#include "logging/logging.h"

namespace l3xml {
namespace paths {

namespace {

// The folders whose lock this thread holds, one entry per holder.
thread_local std::vector<std::string> heldByThread;

}  // namespace

WorkFolderLock::WorkFolderLock(const char* call, const std::string& work) : work_(work) {
  if (std::find(heldByThread.begin(), heldByThread.end(), work) != heldByThread.end()) {
    nested_ = true;
  } else if (work.empty()) {
    logging::error(logging::kCodeWriteFailed, {call, ": the work folder is not set; nothing was written"});
    return;
  } else {
    std::string reason;
    if (!lock_.acquire(work + platform::kSeparator + kLockFileName, kLockTimeoutMilliseconds, reason)) {
      logging::error(logging::kCodeWriteFailed, {call, ": the work folder ", work, " cannot be locked for writing (",
                                                 reason, "); nothing was written"});
      return;
    }
  }
  heldByThread.push_back(work);
  held_ = true;
}

WorkFolderLock::~WorkFolderLock() {
  if (!held_) return;
  heldByThread.erase(std::find(heldByThread.begin(), heldByThread.end(), work_));
  if (!nested_) lock_.release();
}

}  // namespace paths
}  // namespace l3xml
