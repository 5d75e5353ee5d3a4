#include "ratio_table.h"

#include <cstdio>

namespace netquill {
namespace {

std::string Duration(double seconds) {
    char text[32];
    if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    }
    return text;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

}  // namespace

void RatioCollector::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        const std::string name = run.run_name.str();
        if (run.error_occurred) {
            errors_[name] = run.error_message;
            continue;
        }
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            seconds_[name] = seconds;
        } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
            seconds_[name] = seconds;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

bool RatioCollector::PrintTable(const std::vector<RatioCase>& cases, std::ostream& out) const {
    bool complete = true;
    out << '\n'
        << Padded("case", 30) << Padded("netquill", 12) << Padded("baseline", 12)
        << Padded("ratio", 8) << Padded("target", 8) << "verdict\n";
    for (const RatioCase& row : cases) {
        const auto measured = seconds_.find(row.measured);
        const auto baseline = seconds_.find(row.baseline);
        out << Padded(row.title, 30);
        if (measured == seconds_.end() || baseline == seconds_.end()) {
            complete = false;
            const auto error =
                errors_.find(measured == seconds_.end() ? row.measured : row.baseline);
            out << "not measured" << (error == errors_.end() ? "" : ": " + error->second) << '\n';
            continue;
        }
        const double ratio = measured->second / baseline->second;
        char ratioText[16];
        std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
        std::string targetText = "-";
        std::string verdict;
        if (row.target) {
            char text[16];
            std::snprintf(text, sizeof text, "<= %.1f", *row.target);
            targetText = text;
            verdict = ratio <= *row.target ? "met" : "MISSED";
        }
        out << Padded(Duration(measured->second), 12) << Padded(Duration(baseline->second), 12)
            << Padded(ratioText, 8) << Padded(targetText, 8) << verdict << '\n';
    }
    return complete;
}

}  // namespace netquill
