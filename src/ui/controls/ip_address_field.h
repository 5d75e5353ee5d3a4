// IP-address field: four decimal parts 0 to 255, each of which may be empty. The field is
// blank when all four are empty.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/controls/control.h"

namespace netquill {

class IpAddressField final : public Control {
  public:
    static constexpr ControlKind kKind = ControlKind::kIpAddressField;
    static constexpr std::size_t kPartCount = 4;

    using Part = std::optional<std::uint8_t>;

    // The four parts in decimal without leading zeros, joined by "."; an empty part reads as
    // 0. The empty text when the field is blank.
    std::string Address() const;

    // Shows `text` when it is a dotted address, else makes the field blank. The text needs at
    // least three "." and is cut at the first three of them; the rest after the third, further
    // dots included, is the fourth piece. Each piece is read by IntegerValue (atoi's reading,
    // after narrowing full-width forms, so "１９２" counts as 192; only an ASCII "." cuts). Any
    // value outside 0..255 blanks the field. Leading and trailing white space of the text and
    // of the pieces needs no trimming: atoi's reading skips the one and stops before the other.
    void SetAddress(std::string_view text);

    bool IsBlank() const;

    Part PartAt(std::size_t index) const { return index < kPartCount ? parts_[index] : Part{}; }

    // The user fills in (or, with no value, clears) part `index`; ignored for an index beyond
    // the fourth part or when the field is disabled or hidden.
    void SetPartByUser(std::size_t index, Part value);

  private:
    std::array<Part, kPartCount> parts_{};
};

}  // namespace netquill
