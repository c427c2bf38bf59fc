// The progress bar on standard error.
#include "progress.h"

#include <cstdio>

#include "host_platform.h"

namespace l3xml_cli {

namespace {

constexpr auto kShowAfter = std::chrono::milliseconds(300);
constexpr auto kRedrawEvery = std::chrono::milliseconds(80);
constexpr std::size_t kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::size_t total) : enabled_(isTerminal(stderr) && total > 0), total_(total) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::advance(const std::string& label) {
  if (!label_.empty() && done_ < total_) ++done_;
  label_ = label.empty() ? " " : label;
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kShowAfter || now - lastDraw_ < kRedrawEvery) return;
  lastDraw_ = now;
  draw();
}

void ProgressBar::draw() {
  const std::size_t filled = total_ == 0 ? kBarWidth : done_ * kBarWidth / total_;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                     std::to_string(done_) + "/" + std::to_string(total_) + " " + label_;
  const std::size_t columns = static_cast<std::size_t>(terminalColumns());
  if (columns > 1 && line.size() > columns - 1) line.resize(columns - 1);
  std::fprintf(stderr, "\r%s\033[K", line.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void ProgressBar::finish() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace l3xml_cli
