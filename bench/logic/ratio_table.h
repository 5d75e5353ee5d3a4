// The table the logic benchmarks end with: each case beside its baseline, their ratio and, where
// there is one, the target the ratio must meet.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace netquill {

struct RatioCase {
    std::string title;
    std::string measured;  // benchmark name, e.g. "AdapterScan/64"
    std::string baseline;
    std::optional<double> target;  // the ratio must be at most this
};

// Passes everything on to the console and keeps, per benchmark, the median CPU time per
// iteration (or the time of the single run when there are no repetitions).
class RatioCollector final : public benchmark::ConsoleReporter {
  public:
    // Plain text: the output goes to logs and docs as it stands.
    RatioCollector() : ConsoleReporter(OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override;

    // Writes the table; false when a case or its baseline has no time (not run or failed).
    bool PrintTable(const std::vector<RatioCase>& cases, std::ostream& out) const;

  private:
    std::map<std::string, double> seconds_;
    std::map<std::string, std::string> errors_;
};

}  // namespace netquill
