// A whole program for benchmarks: the in-memory registry and stand-ins that cost next to nothing
// and keep no history, so that millions of iterations neither wait nor grow.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/memory_environment.h"
#include "core/memory_system_files.h"
#include "registry/memory_registry_store.h"
#include "registry/registry_access.h"
#include "ui/program.h"

namespace netquill {

// The in-memory registry, able to write down every operation asked of it, so that a benchmark
// can show its baseline makes exactly the program's reads and writes. Both go through this
// forwarding layer, so it costs them alike.
class TracingRegistryStore final : public RegistryStore {
  public:
    std::optional<RegistryValue> QueryValue(std::string_view keyPath,
                                            std::string_view valueName) const override {
        Note("read", keyPath, valueName);
        return memory.QueryValue(keyPath, valueName);
    }
    bool SetValue(std::string_view keyPath, std::string_view valueName, const RegistryValue& value,
                  KeyCreation creation) override {
        Note("write", keyPath, valueName);
        return memory.SetValue(keyPath, valueName, value, creation);
    }
    bool DeleteValue(std::string_view keyPath, std::string_view valueName) override {
        Note("delete", keyPath, valueName);
        return memory.DeleteValue(keyPath, valueName);
    }

    MemoryRegistryStore memory;
    // While set, every operation is appended as "<operation> <key>\<value>".
    std::vector<std::string>* trace = nullptr;

  private:
    void Note(std::string_view operation, std::string_view keyPath,
              std::string_view valueName) const {
        if (trace != nullptr) {
            trace->push_back(std::string(operation) + ' ' + std::string(keyPath) + '\\' +
                             std::string(valueName));
        }
    }
};

// A user who never touches anything: every pump finds no input.
class IdleEventLoop final : public EventLoop {
  public:
    bool InputWaiting() override { return false; }
    void DispatchPending() override {}

  protected:
    void EndProcess(int) override { std::abort(); }
};

// Time passes only when the program sleeps, so the 3.5 s settling wait takes no real time.
class SteppingClock final : public Clock {
  public:
    std::uint32_t TickCount() const override { return tick_; }
    void Sleep(std::uint32_t milliseconds) override { tick_ += milliseconds; }

  private:
    std::uint32_t tick_ = 0;
};

// Starts nothing and only counts the runs: the device console tool is never started.
class CountingProcessRunner final : public ProcessRunner {
  public:
    bool Run(std::string_view, ProcessWait) override {
        ++runs;
        return true;
    }
    std::uint64_t runs = 0;
};

class CountingUserMessages final : public UserMessages {
  public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override { ++shown; }
    std::uint64_t shown = 0;
};

struct BenchProgram {
    BenchProgram() { state.registryBasePaths = StandardRegistryBasePaths(); }

    TracingRegistryStore store;
    MemoryEnvironment environment;
    RegistryAccess registry{store, environment};
    FixedAdapterInfoSource adapterInfo;
    IdleEventLoop loop;
    SharedState state;
    MainWindow window;
    CountingProcessRunner processes;
    MemorySystemFiles files{"C:\\windows\\system32", "C:\\netquill"};
    SteppingClock clock;
    CountingUserMessages messages;
    Program program{state, window, registry, adapterInfo, loop, processes, files, clock, messages};
};

}  // namespace netquill
