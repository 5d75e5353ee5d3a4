// Port to the system's list of network adapters (description and hardware address), in the
// system's order. Error contract: a failing query gives an empty list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace netquill {

struct SystemAdapter {
    std::string description;  // code page 936
    // The address field as the system reports it; bytes past the real length are zero.
    std::array<std::uint8_t, 8> address{};
};

class AdapterInfoSource {
  public:
    virtual ~AdapterInfoSource() = default;
    virtual std::vector<SystemAdapter> ListSystemAdapters() const = 0;
};

// A fixed list, for tests and for running without a real adapter query.
class FixedAdapterInfoSource final : public AdapterInfoSource {
  public:
    explicit FixedAdapterInfoSource(std::vector<SystemAdapter> adapters = {})
        : adapters_(std::move(adapters)) {}
    void Set(std::vector<SystemAdapter> adapters) { adapters_ = std::move(adapters); }
    std::vector<SystemAdapter> ListSystemAdapters() const override { return adapters_; }

  private:
    std::vector<SystemAdapter> adapters_;
};

}  // namespace netquill
