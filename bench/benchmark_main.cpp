// The benchmarks' main: Google Benchmark's own report, then the table of each library operation
// against the plain pugixml code doing the same work (medians when run with repetitions). The
// library's diagnostics are switched off so that only its work is timed.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
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
      if (median || !time.median) time = Time{toMicroseconds(run.GetAdjustedCPUTime(), run.time_unit), median};
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
  }

 private:
  struct Time {
    double microseconds = 0;
    bool median = false;
  };

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
