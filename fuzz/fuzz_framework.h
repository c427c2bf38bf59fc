// The sandbox every fuzz target works in, and the checks that run after each input.
#ifndef L3XML_FUZZ_FUZZ_FRAMEWORK_H
#define L3XML_FUZZ_FUZZ_FRAMEWORK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace l3xml_fuzz {

// A private folder under the system's temporary folder, removed when the process ends:
//   framework/  a copy of the example framework: the system folder and the work folder
//   user/       the user folder, with one template of its own
//   outside/    files that no call may read into a result or touch
//   tmp/        the process's temporary folder (TMPDIR)
// The library's file operations are guarded: one that would change a file outside the work folder
// and tmp/ is refused, and with confinement asserted it is a finding.
struct Sandbox {
  std::string root;
  std::string framework;
  std::string user;
  std::string outside;
};

// Sets the sandbox up once (the library's folders set, its log off); later calls return it.
const Sandbox& sandbox();

// Writes the input as a file of the framework, which from now on is expected to hold it; its full path.
std::string writeInput(const std::string& relativePath, const std::uint8_t* data, std::size_t size);
std::string writeInput(const std::string& relativePath, const std::string& text);

// The input cut into count texts at its first count - 1 line breaks; the last text is the rest.
// A text ends at its first NUL, as the library's C strings would.
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count);

// Before an input: working copies and whatever else the last input added to the framework are removed.
void startRun();

// After an input: aborts when a file of the sandbox changed or vanished (working copies apart), or
// when something appeared outside the work folder. The library must never modify a template.
void checkUntouched();

// Whether a file name is plainly inside a folder: relative, with no ".." component ('/' and '\'
// both separate).
bool isPlainName(const std::string& name);

// Whether a text could spell a ".." path component: as it is, in UTF-16 or by character references.
// Without the library's confinement such a name reaches a template itself through its working copy.
bool maySpellParent(const std::string& text);

// The name with every "%" replaced by the sandbox's root, so that an input can spell an absolute
// path into the sandbox.
std::string sandboxName(const std::string& name);

// Whether a path the library returned lies in the system, user or work folder.
bool inFrameworkFolders(const std::string& path);

// Aborts with a message when condition is false: a finding.
void require(bool condition, const char* what, const std::string& detail = std::string());

}  // namespace l3xml_fuzz

// Whether leaving the framework is a finding: a file operation that would change a file outside
// the work folder, or a name with a ".." component or an absolute name that a call accepts. Off,
// such operations are refused without a word (the sandbox stays intact either way).
#ifndef L3XML_FUZZ_ASSERT_CONFINEMENT
#define L3XML_FUZZ_ASSERT_CONFINEMENT 0
#endif

#endif  // L3XML_FUZZ_FUZZ_FRAMEWORK_H
