#include "advanced/metric_text.h"

#include "core/text.h"

namespace netquill {

std::string ShownGatewayMetric(std::string_view stored) {
    return std::string(IntegerValue(stored) == 0 ? kAutomaticMetric : stored);
}

std::string StoredGatewayMetric(std::string_view shown) {
    return MeansAutomaticMetric(shown) ? "0" : std::string(shown);
}

bool MeansAutomaticMetric(std::string_view shown) {
    return shown == kAutomaticMetric || shown.empty() || shown == "0";
}

void ShowMetricInput(Label& label, EditBox& box, bool inUse) {
    if (!inUse) {
        box.SetText({});
    }
    label.SetTextColour(inUse ? kMetricLabelInUse : kMetricLabelUnused);
    label.SetEnabled(inUse);
    box.SetEnabled(inUse);
}

}  // namespace netquill
