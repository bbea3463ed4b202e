#include "testing/ratio_report.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace tq::testing {
namespace {

// Google Benchmark's console output, with every run kept by its function's
// name and its arguments ("Fill/1000"), without the /iterations:N and
// repetition suffixes.
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal: `make bench` keeps this output in a file.
  explicit KeepingReporter(std::function<void(const Run&)> keep)
      : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular), keep_(std::move(keep)) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) keep_(run);
    ConsoleReporter::ReportRuns(runs);
  }

 private:
  std::function<void(const Run&)> keep_;
};

std::string Ratio(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", value);
  return text;
}

}  // namespace

void RatioReport::Run(int* argc, char** argv) {
  benchmark::Initialize(argc, argv);
  KeepingReporter reporter([this](const benchmark::BenchmarkReporter::Run& run) {
    const bool median = run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate &&
                        run.aggregate_name == "median";
    if (run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate && !median) return;
    const auto& name = run.run_name;
    Measured& kept = runs_[name.args.empty() ? name.function_name : name.function_name + "/" + name.args];
    if (kept.median && !median) return;
    kept.time = run.GetAdjustedRealTime();
    kept.median = median;
    kept.counters.clear();
    for (const auto& [name, counter] : run.counters) kept.counters[name] = counter.value;
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

std::optional<double> RatioReport::Time(const std::string& benchmark) const {
  const auto found = runs_.find(benchmark);
  if (found == runs_.end()) return std::nullopt;
  return found->second.time;
}

std::optional<double> RatioReport::Counter(const std::string& benchmark, const std::string& counter) const {
  const auto found = runs_.find(benchmark);
  if (found == runs_.end()) return std::nullopt;
  const auto value = found->second.counters.find(counter);
  if (value == found->second.counters.end()) return std::nullopt;
  return value->second;
}

void RatioReport::AddRatio(const std::string& name, const std::string& baseline, std::optional<double> measured,
                           std::optional<double> base, double target) {
  if (!measured || !base || *base <= 0) {
    ++missing_;
    return;
  }
  const double ratio = *measured / *base;
  figures_.push_back({name, baseline, Ratio(ratio), "<= " + Ratio(target), ratio <= target});
}

int RatioReport::Finish() const {
  std::printf("\n%-34s %-28s %10s %12s  %s\n", "figure", "against", "value", "target", "met");
  for (const Figure& f : figures_) {
    std::printf("%-34s %-28s %10s %12s  %s\n", f.name.c_str(), f.baseline.c_str(), f.value.c_str(),
                f.target.c_str(), f.met ? "yes" : "NO");
  }
  if (const char* table = std::getenv("TELEQUILL_BENCH_TABLE"); table != nullptr && *table != 0) {
    if (std::FILE* out = std::fopen(table, "a")) {
      for (const Figure& f : figures_) {
        std::fprintf(out, "%s\t%s\t%s\t%s\t%s\t%s\n", program_.c_str(), f.name.c_str(), f.baseline.c_str(),
                     f.value.c_str(), f.target.c_str(), f.met ? "yes" : "NO");
      }
      std::fclose(out);
    }
  }
  if (missing_ > 0) std::fprintf(stderr, "%s: %d figure(s) could not be measured\n", program_.c_str(), missing_);
  return missing_ > 0 ? 1 : 0;
}

}  // namespace tq::testing
