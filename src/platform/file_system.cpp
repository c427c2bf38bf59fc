// The file operation table and the path helpers shared by both operating systems.
#include "platform/file_system.h"

#include <algorithm>
#include <atomic>

#if defined(_WIN32)
#include "platform/file_system_windows.inc"
#else
#include "platform/file_system_posix.inc"
#endif

namespace l3xml {
namespace platform {

namespace {

int closeStream(std::FILE* file) { return std::fclose(file); }
int getStreamChar(std::FILE* file) { return std::getc(file); }
std::size_t readStream(void* data, std::size_t size, std::size_t count, std::FILE* file) {
  return std::fread(data, size, count, file);
}
std::size_t writeStream(const void* data, std::size_t size, std::size_t count, std::FILE* file) {
  return std::fwrite(data, size, count, file);
}
int streamError(std::FILE* file) { return std::ferror(file); }
int removePath(const char* path) { return std::remove(path); }
int renamePath(const char* source, const char* destination) { return std::rename(source, destination); }

const FileOperations kSystemOperations = {
    &systemExists, &systemCopy,      &systemCanRead,  &systemMakeDirectories, &systemReplace, &systemOpen,
    &closeStream,  &getStreamChar,   &readStream,     &writeStream,           &streamError,   &removePath,
    &renamePath,   &systemCreateNew, &systemCanWrite,
};

FileOperations operationsInUse = kSystemOperations;

}  // namespace

const FileOperations& systemFileOperations() { return kSystemOperations; }

FileOperations& fileOperations() { return operationsInUse; }

bool ownCopyIsReadWritable(const std::string& path) { return systemOwnCopyIsReadWritable(path.c_str()); }

bool readFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* file = openFile(path, "rb");
  if (file == nullptr) return false;
  // Read without the stream's buffer, straight into the string: a regular file in one step of
  // the length it has when opened, anything else (a pipe) in steps until it ends.
  std::setvbuf(file, nullptr, _IONBF, 0);
  const std::size_t length = regularFileLength(file);
  constexpr std::size_t kStep = 65536;
  for (std::size_t have = 0;;) {
    const std::size_t want = have < length ? length - have : kStep;
    bytes.resize(have + want);
    const std::size_t got = fileOperations().read(bytes.data() + have, 1, want, file);
    have += got;
    bytes.resize(have);
    if (got < want || have == length) break;
  }
  const bool readToEnd = fileOperations().error(file) == 0;
  return closeFile(file) == 0 && readToEnd;
}

bool writeFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = openFile(path, "wb");
  if (file == nullptr) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  const bool written = bytes.empty() || fileOperations().write(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = closeFile(file) == 0;
  return written && closed;
}

bool writeNewFileBytes(const std::string& path, const std::string& bytes) {
  // Whatever stands at the name (a link included, which is never followed) is removed and the
  // file made again; mostly nothing stands there.
  std::FILE* file = fileOperations().createNew(path.c_str());
  if (file == nullptr) {
    (void)removeFile(path);
    file = fileOperations().createNew(path.c_str());
  }
  if (file == nullptr) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);  // the bytes go out in one write
  const bool written = bytes.empty() || fileOperations().write(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = closeFile(file) == 0;
  return written && closed;
}

std::string uniqueSibling(const std::string& path, const char* suffix) {
  static std::atomic<unsigned long> counter{0};
  return path + '.' + std::to_string(systemProcessId()) + '-' + std::to_string(++counter) + suffix;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    handle_ = other.handle_;
    other.handle_ = kNone;
  }
  return *this;
}

FileLock::~FileLock() { release(); }

bool FileLock::acquire(const std::string& path, int timeoutMilliseconds, std::string& reason) {
  release();
  handle_ = systemLock(path.c_str(), timeoutMilliseconds, reason);
  return held();
}

void FileLock::release() {
  if (handle_ != kNone) systemUnlock(handle_);
  handle_ = kNone;
}

std::vector<std::string> listFiles(const std::string& folder) {
  std::vector<std::string> names = systemListFiles(folder.c_str());
  std::sort(names.begin(), names.end());
  return names;
}

std::string makeTemporaryFolder(const std::string& prefix) { return systemMakeTemporaryFolder(prefix); }

bool removeTree(const std::string& folder) { return !folder.empty() && systemRemoveTree(folder); }

std::string parentFolder(const std::string& path) {
  const std::string::size_type last = path.find_last_of(kPathSeparators);
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

const char* fixedGuiFolder() { return kFixedGuiFolder; }

}  // namespace platform
}  // namespace l3xml
