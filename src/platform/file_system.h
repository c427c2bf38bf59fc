// Files and folders as the library needs them: the only door to the operating system's files.
#ifndef L3XML_PLATFORM_FILE_SYSTEM_H
#define L3XML_PLATFORM_FILE_SYSTEM_H

#include <cstdio>
#include <string>
#include <vector>

namespace l3xml {
namespace platform {

#if defined(_WIN32)
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// Every file operation the library makes goes through this table, so that tests can make any
// one of them fail and check that nothing is lost.
struct FileOperations {
  bool (*exists)(const char* path);                              // files and folders alike
  bool (*copy)(const char* source, const char* destination);     // replaces the destination
  bool (*canRead)(const char* path);                             // read permission granted
  bool (*makeDirectories)(const char* path);                     // the folder and its parents
  bool (*replace)(const char* source, const char* destination);  // rename over an existing file
  std::FILE* (*open)(const char* path, const char* mode);
  int (*close)(std::FILE* file);
  int (*getChar)(std::FILE* file);
  std::size_t (*read)(void* data, std::size_t size, std::size_t count, std::FILE* file);
  std::size_t (*write)(const void* data, std::size_t size, std::size_t count, std::FILE* file);
  int (*error)(std::FILE* file);  // non-zero once a read or write failed
  int (*remove)(const char* path);
  int (*rename)(const char* source, const char* destination);
  // Creates a file that does not exist yet, never through a link; null when anything stands at
  // the name or it cannot be made.
  std::FILE* (*createNew)(const char* path);
  bool (*canWrite)(const char* path);  // write permission granted
};

// The operating system's own operations.
const FileOperations& systemFileOperations();
// The table in use; tests may change its entries and restore them from systemFileOperations().
FileOperations& fileOperations();

inline bool pathExists(const std::string& path) { return fileOperations().exists(path.c_str()); }
inline bool copyFileReplacing(const std::string& source, const std::string& destination) {
  return fileOperations().copy(source.c_str(), destination.c_str());
}
inline bool canRead(const std::string& path) { return fileOperations().canRead(path.c_str()); }
inline bool makeDirectories(const std::string& path) { return fileOperations().makeDirectories(path.c_str()); }
inline bool replaceFile(const std::string& source, const std::string& destination) {
  return fileOperations().replace(source.c_str(), destination.c_str());
}
inline std::FILE* openFile(const std::string& path, const char* mode) {
  return fileOperations().open(path.c_str(), mode);
}
inline int closeFile(std::FILE* file) { return fileOperations().close(file); }
inline int removeFile(const std::string& path) { return fileOperations().remove(path.c_str()); }
inline int renameFile(const std::string& source, const std::string& destination) {
  return fileOperations().rename(source.c_str(), destination.c_str());
}

inline bool canWrite(const std::string& path) { return fileOperations().canWrite(path.c_str()); }
// Whether a copy of the regular file at path that this process makes, and so owns, with the
// file's permissions, could be read and written by this process.
bool ownCopyIsReadWritable(const std::string& path);

// The bytes of a file, read whole in binary; false when it cannot be opened or read to its end.
bool readFileBytes(const std::string& path, std::string& bytes);
// Writes the bytes to a file in binary, creating or truncating it; false when any step fails.
bool writeFileBytes(const std::string& path, const std::string& bytes);

// Writes the bytes to a new file at path, created exclusively: whatever stands at the name is
// removed (a link is removed, never followed) and the file made again. False when any step fails.
bool writeNewFileBytes(const std::string& path, const std::string& bytes);

// A name beside path that no other process or call uses: path, the process, a counter and the
// suffix.
std::string uniqueSibling(const std::string& path, const char* suffix);

// An exclusive advisory lock on a file, created when missing (never through a link). Waits up to
// timeoutMilliseconds for another holder; reason tells why it could not be taken.
class FileLock {
 public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  FileLock& operator=(FileLock&& other) noexcept;
  ~FileLock();

  bool acquire(const std::string& path, int timeoutMilliseconds, std::string& reason);
  bool held() const { return handle_ != kNone; }
  void release();

 private:
  static constexpr long long kNone = -1;
  long long handle_ = kNone;
};

// The names of the regular files in a folder, in name order; none when it cannot be read.
std::vector<std::string> listFiles(const std::string& folder);

// A new, empty folder in the system's temporary folder, its name prefix and a unique ending, for
// work that must leave no trace; empty when none could be made.
std::string makeTemporaryFolder(const std::string& prefix);
// Removes a folder and everything in it (links are removed, never followed); true when it is gone.
bool removeTree(const std::string& folder);

// The folder part of a path (up to its last separator, without it); empty when there is none.
std::string parentFolder(const std::string& path);

// The fixed folder that the file lookup tries after the user's and the system's root folders.
const char* fixedGuiFolder();

}  // namespace platform
}  // namespace l3xml

#endif  // L3XML_PLATFORM_FILE_SYSTEM_H
