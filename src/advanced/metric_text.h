// How gateway metrics read in the advanced window's list and its entry dialog, and how a metric
// input looks when it is in use or not.
#pragma once

#include <string>
#include <string_view>

#include "ui/controls/edit_box.h"
#include "ui/controls/label.h"

namespace netquill {

// Shown for a gateway's automatic metric, stored as "0".
inline constexpr std::string_view kAutomaticMetric = "自动";

inline constexpr Rgb kMetricLabelInUse{0, 0, 0};
inline constexpr Rgb kMetricLabelUnused{128, 128, 128};

// A metric label and box in use: black label, both enabled. Not in use: the box emptied, the
// label greyed, both disabled.
void ShowMetricInput(Label& label, EditBox& box, bool inUse);

// The list's metric column for a stored metric: "自动" when its integer value is 0, else the
// stored text unchanged ("05" stays "05").
std::string ShownGatewayMetric(std::string_view stored);

// The stored metric for the list's column: "0" for "自动", the empty text and "0", else the
// column's text unchanged.
std::string StoredGatewayMetric(std::string_view shown);

// Whether a metric as shown means the automatic one: "自动", "0" and the empty text only. The
// entry dialog then opens with 自动框 checked.
bool MeansAutomaticMetric(std::string_view shown);

}  // namespace netquill
