// Benchmark figures as ratios: each benchmark program measures what it
// stands for and, in the same run, the baseline it is judged against (a
// plain file read, std::sort, ...), and reports the ratio with its target.
// Absolute times say little on a shared machine; ratios taken together
// still do.
//
// The figures are printed as a table after Google Benchmark's own output,
// and appended as tab-separated rows (program, figure, baseline, value,
// target, met) to the file named by TELEQUILL_BENCH_TABLE, from which
// `make bench` prints one table for every benchmark program.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tq::testing {

struct Figure {
  std::string name;      // what was measured
  std::string baseline;  // what it is compared with
  std::string value;     // "2.31x", "+120 KiB"
  std::string target;    // "<= 3x", "<= 2048 KiB"
  bool met = false;
};

class RatioReport {
 public:
  explicit RatioReport(std::string program) : program_(std::move(program)) {}

  // Runs the registered benchmarks under the command line's flags, keeping
  // each one's adjusted real time and counters (the median ones when the
  // run repeats them).
  void Run(int* argc, char** argv);

  std::optional<double> Time(const std::string& benchmark) const;
  std::optional<double> Counter(const std::string& benchmark, const std::string& counter) const;

  // measured / baseline against the most it may be; a missing figure (a
  // benchmark filtered out or failed) is left out of the table.
  void AddRatio(const std::string& name, const std::string& baseline, std::optional<double> measured,
                std::optional<double> base, double target);
  // The times of two benchmarks of this program.
  void AddTimeRatio(const std::string& benchmark, const std::string& baselineBenchmark, double target) {
    AddRatio(benchmark, baselineBenchmark, Time(benchmark), Time(baselineBenchmark), target);
  }
  void Add(Figure figure) { figures_.push_back(std::move(figure)); }

  // Prints the table and appends the rows; 0 when every figure was had.
  int Finish() const;

 private:
  struct Measured {
    double time = 0;
    std::map<std::string, double> counters;
    bool median = false;
  };
  std::string program_;
  std::map<std::string, Measured> runs_;
  std::vector<Figure> figures_;
  int missing_ = 0;
};

}  // namespace tq::testing
