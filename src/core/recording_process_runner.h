// A process runner that starts nothing and records what it was asked to run: the stand-in on
// platforms without the command interpreter, and the observer in tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/process_runner.h"

namespace netquill {

struct RecordedRun {
    std::string commandLine;
    ProcessWait wait = ProcessWait::kUntilEnded;

    friend bool operator==(const RecordedRun&, const RecordedRun&) = default;
};

class RecordingProcessRunner final : public ProcessRunner {
  public:
    // Records the request, also one that then "cannot be started".
    bool Run(std::string_view commandLine, ProcessWait wait) override {
        runs_.push_back({std::string(commandLine), wait});
        return startable_;
    }

    const std::vector<RecordedRun>& Runs() const { return runs_; }

    // Fault switch: while false, every run reports that the process could not be started.
    void SetStartable(bool startable) { startable_ = startable; }

  private:
    std::vector<RecordedRun> runs_;
    bool startable_ = true;
};

}  // namespace netquill
