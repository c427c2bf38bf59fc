// The benchmarks' main: Google Benchmark's own report, then the table of each library operation
// against the plain pugixml code doing the same work (medians when run with repetitions). The
// library's diagnostics are switched off so that only its work is timed.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kLibrary = "/library";
constexpr const char* kPlain = "/pugixml";

// Google Benchmark's console report, with the CPU time of every pair kept for the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // A median replaces the single runs of its benchmark; single runs count without one.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string& name = run.run_name.function_name;
      Time& time = times_[name];
      if (median || !time.median) {
        time = Time{toMicroseconds(run.GetAdjustedCPUTime(), run.time_unit), median};
        // A rate of bytes times the seconds of one iteration: the size of the file it reads.
        const auto rate = run.counters.find("bytes_per_second");
        if (rate != run.counters.end()) time.bytes = rate->second.value * time.microseconds / 1e6;
      }
      if (std::find(order_.begin(), order_.end(), name) == order_.end()) order_.push_back(name);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-40s %14s %14s %8s\n", "operation (CPU time)", "library", "plain pugixml", "ratio");
    for (const std::string& name : order_) {
      const std::size_t suffix = name.size() - std::string(kLibrary).size();
      if (name.size() < std::string(kLibrary).size() || name.compare(suffix, std::string::npos, kLibrary) != 0) {
        continue;
      }
      const std::string operation = name.substr(0, suffix);
      const auto plain = times_.find(operation + kPlain);
      const double library = times_[name].microseconds;
      if (plain == times_.end()) {
        std::printf("%-40s %11.1f us %14s %8s\n", operation.c_str(), library, "-", "-");
        continue;
      }
      std::printf("%-40s %11.1f us %11.1f us %7.2fx\n", operation.c_str(), library, plain->second.microseconds,
                  library / plain->second.microseconds);
    }
    printSizeExponents();
  }

 private:
  struct Time {
    double microseconds = 0;
    bool median = false;
    double bytes = 0;  // of the file read, for the operations timed at several sizes
  };

  // How time grows with the size of the file, for each family of operations timed at several sizes
  // against plain pugixml ("flatten/2KB", "flatten/20KB", ...): the slope of log time against log
  // size by least squares, for all sizes and from the second smallest up (1 is linear).
  void printSizeExponents() {
    std::map<std::string, std::map<double, std::pair<double, double>>> families;  // bytes -> library, plain
    for (const auto& [name, time] : times_) {
      const std::size_t slash = name.find('/');
      if (time.bytes <= 0 || slash == std::string::npos || !endsWith(name, kLibrary)) continue;
      const std::string operation = name.substr(0, name.size() - std::string(kLibrary).size());
      const auto plain = times_.find(operation + kPlain);
      if (plain == times_.end()) continue;
      families[name.substr(0, slash)][time.bytes] = {time.microseconds, plain->second.microseconds};
    }
    for (const auto& [family, sizes] : families) {
      if (sizes.size() < 3) continue;
      std::printf(
          "\n%s: time against size, exponent %.2f (plain pugixml %.2f) over %zu sizes, %.2f (%.2f) from the "
          "second smallest\n",
          family.c_str(), slope(sizes, true, 0), slope(sizes, false, 0), sizes.size(), slope(sizes, true, 1),
          slope(sizes, false, 1));
    }
  }

  static double slope(const std::map<double, std::pair<double, double>>& sizes, bool library, std::size_t skip) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    std::size_t index = 0;
    for (const auto& [bytes, times] : sizes) {
      if (index++ < skip) continue;
      const double x = std::log(bytes);
      const double y = std::log(library ? times.first : times.second);
      n += 1;
      sx += x;
      sy += y;
      sxx += x * x;
      sxy += x * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
  }

  static bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  }

  static double toMicroseconds(double time, benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond:
        return time / 1e3;
      case benchmark::kMillisecond:
        return time * 1e3;
      case benchmark::kSecond:
        return time * 1e6;
      default:
        return time;
    }
  }

  std::map<std::string, Time> times_;
  std::vector<std::string> order_;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("L3XML_LOG") == nullptr) setenv("L3XML_LOG", "none", 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_Defaults
                                                : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
