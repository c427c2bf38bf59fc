// A progress bar on standard error for work over many templates.
#ifndef L3XML_CLI_PROGRESS_H
#define L3XML_CLI_PROGRESS_H

#include <chrono>
#include <cstddef>
#include <string>

namespace l3xml_cli {

// Drawn only when standard error is a terminal and the work has already taken more than a
// moment, so that quick runs and logs stay free of it. Cleared when done.
class ProgressBar {
 public:
  explicit ProgressBar(std::size_t total);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Tells what the next step works on, then counts it as done once advance() is called again.
  void advance(const std::string& label);
  // Removes the bar from the terminal.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;
  void draw();

  bool enabled_;
  bool shown_ = false;
  std::size_t total_;
  std::size_t done_ = 0;
  std::string label_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDraw_{};
};

}  // namespace l3xml_cli

#endif  // L3XML_CLI_PROGRESS_H
