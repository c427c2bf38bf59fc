// The file operation table and the path helpers shared by both operating systems.
#include "platform/file_system.h"

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
int putStreamChar(int character, std::FILE* file) { return std::putc(character, file); }
char* getStreamLine(char* buffer, int size, std::FILE* file) { return std::fgets(buffer, size, file); }
int putStreamText(const char* text, std::FILE* file) { return std::fputs(text, file); }
std::size_t readStream(void* data, std::size_t size, std::size_t count, std::FILE* file) {
  return std::fread(data, size, count, file);
}
std::size_t writeStream(const void* data, std::size_t size, std::size_t count, std::FILE* file) {
  return std::fwrite(data, size, count, file);
}
int seekStream(std::FILE* file, long offset, int origin) { return std::fseek(file, offset, origin); }
int streamError(std::FILE* file) { return std::ferror(file); }
int removePath(const char* path) { return std::remove(path); }
int renamePath(const char* source, const char* destination) { return std::rename(source, destination); }

const FileOperations kSystemOperations = {
    &systemExists,  &systemCopy,    &systemCanRead, &systemMakeDirectories, &systemReplace, &systemOpen,  &closeStream,
    &getStreamChar, &putStreamChar, &getStreamLine, &putStreamText,         &readStream,    &writeStream, &seekStream,
    &streamError,   &removePath,    &renamePath,
};

FileOperations operationsInUse = kSystemOperations;

}  // namespace

const FileOperations& systemFileOperations() { return kSystemOperations; }

FileOperations& fileOperations() { return operationsInUse; }

std::string parentFolder(const std::string& path) {
  const std::string::size_type last = path.find_last_of(kPathSeparators);
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

const char* fixedGuiFolder() { return kFixedGuiFolder; }

}  // namespace platform
}  // namespace l3xml
