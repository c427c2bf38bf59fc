// The operating-system calls of the program, one version per system.
#include "host_platform.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <random>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace l3xml_cli {

namespace {

volatile std::sig_atomic_t caught = 0;
volatile std::sig_atomic_t cleaning = 0;

// Only async-signal-safe calls: with nothing to clean up the signal takes its default course
// at once; otherwise it is recorded and the program ends by it after cleaning up.
extern "C" void onEndingSignal(int signal) {
  if (cleaning == 0) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  caught = signal;
}

}  // namespace

#if defined(_WIN32)

const char* pathSeparators() { return "/\\"; }

std::string executablePath() {
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return length == 0 || length == MAX_PATH ? std::string() : std::string(buffer, length);
}

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

int terminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 80;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

void setEnvironment(const std::string& name, const std::string& value) { _putenv_s(name.c_str(), value.c_str()); }

// Windows has no mkdtemp: a random name, made with CreateDirectory, which fails when it exists.
std::string makeTemporaryFolder(const std::string& prefix) {
  char base[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof base, base);
  if (length == 0 || length > MAX_PATH) return std::string();
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = std::string(base, length) + prefix + std::to_string(random() % 1000000000u);
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

std::string readStandardInput() {
  (void)_setmode(_fileno(stdin), _O_BINARY);
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

void catchEndingSignals() {
  for (int signal : {SIGINT, SIGTERM}) {
    if (std::signal(signal, onEndingSignal) == SIG_IGN) std::signal(signal, SIG_IGN);
  }
}

#else

const char* pathSeparators() { return "/"; }

std::string executablePath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : self.string();
}

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

int terminalColumns() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

void setEnvironment(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

std::string makeTemporaryFolder(const std::string& prefix) {
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / (prefix + "XXXXXX")).string();
  if (error) return std::string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

std::string readStandardInput() {
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// Without SA_RESTART, so that a write blocked on a full pipe returns and the program gets on
// to cleaning up.
void catchEndingSignals() {
  struct sigaction action {};
  action.sa_handler = onEndingSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGPIPE}) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    (void)::sigaction(signal, &action, nullptr);
  }
}

#endif

std::optional<std::string> environmentValue(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void cleanupNeeded(bool needed) { cleaning = cleaning + (needed ? 1 : -1); }

int caughtSignal() { return caught; }

void endBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  std::_Exit(128 + signal);
}

}  // namespace l3xml_cli
