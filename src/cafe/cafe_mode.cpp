#include "cafe/cafe_mode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apply/apply_pipeline.h"
#include "apply/ipx_number.h"
#include "core/text.h"

namespace netquill {
namespace {

constexpr int kEnterKey = 13;
constexpr int kAddTen = 10;
constexpr std::int64_t kLargestPart = 255;

constexpr std::string_view kNothingChanged = "\n没有修改任何设置。";

// Four numbers 0 to 255 separated by ".", each allowed blanks around it and full-width digits,
// as the address field reads them. Stricter than the field, which would also take a fifth part
// or a piece without digits (as 0) and so give every machine the same wrong address.
bool IsFourPartAddress(std::string_view text) {
    if (text.ends_with('.')) {
        return false;
    }
    // Cut where the field cuts: at ASCII dots only, before narrowing.
    const std::vector<std::string> pieces = SplitItems(text, ".");
    if (pieces.size() != 4) {
        return false;
    }
    for (const std::string& piece : pieces) {
        const std::string narrowed = NarrowText(piece);
        const std::string_view digits = TrimBlanks(narrowed);
        if (digits.empty()) {
            return false;
        }
        int value = 0;
        for (const char digit : digits) {
            if (digit < '0' || digit > '9') {
                return false;
            }
            value = value * 10 + (digit - '0');
            if (value > kLargestPart) {
                return false;
            }
        }
    }
    return true;
}

bool IsAddressPart(std::int64_t value) {
    return value >= 0 && value <= kLargestPart;
}

// Why the derived address cannot be used, or nothing when it can.
std::optional<std::string> AddressProblem(std::string_view prefix, std::int64_t lastPart,
                                          std::string_view address) {
    const std::string last = std::to_string(lastPart);
    if (!IsAddressPart(lastPart)) {
        return "由机器号得出的 IP 尾数 " + last + " 不在 0 到 255 之间，得不出有效的 IP 地址。" +
               std::string(kNothingChanged);
    }
    if (!IsFourPartAddress(address)) {
        return "IP 地址前缀“" + std::string(prefix) + "”加上 IP 尾数 " + last + " 得出的“" +
               std::string(address) +
               "”不是有效的 IP 地址：应为四段 0 到 255 的数字，前缀通常以“.”结尾。" +
               std::string(kNothingChanged);
    }
    return std::nullopt;
}

}  // namespace

void OpenOrApplyCafeMode(Program& program) {
    MainWindow& window = program.mainWindow;
    if (!window.网吧按钮.Enabled()) {
        return;
    }
    if (window.功能选择夹.CurrentPage() == MainWindow::kLocalConnectionPage) {
        window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);
        if (program.state.cafeConfigLoaded) {
            window.SetFocus(window.机器数框);
        }
        return;
    }
    if (program.state.cafeConfigLoaded && !window.机器数框.Text().empty()) {
        window.SetCommandButtonsDisabled(true);
        ApplyCafeSettings(program);
        return;
    }
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
}

void ApplyCafeSettings(Program& program) {
    MainWindow& window = program.mainWindow;
    const std::string number = window.机器数框.Text();
    // In 64 bits: the number's value may be the largest int already.
    const std::int64_t lastPart =
        std::int64_t{IntegerValue(number)} + (window.增位框.Checked() ? kAddTen : 0);
    const std::string last = std::to_string(lastPart);
    const std::string address = window.地址框2.Text() + last;

    // Checked before anything is filled: a blank 地址框 would make the pipeline drop the first
    // address, and with it perhaps switch the adapter to DHCP, while reporting success.
    if (const std::optional<std::string> problem =
            AddressProblem(window.地址框2.Text(), lastPart, address)) {
        program.messages.ShowMessage(kCafeRefusedTitle, *problem, MessageIcon::kExclamation);
        window.SetCommandButtonsDisabled(false);
        // Where the operator corrects it.
        window.SetFocus(IsAddressPart(lastPart) ? window.地址框2 : window.机器数框);
        return;
    }

    window.机器名框.SetText(window.机器名框2.Text() + number);
    window.掩码框.SetAddress(window.掩码框2.Text());
    window.网关框.SetAddress(window.网关框2.Text());
    window.首选框.SetAddress(window.首选框2.Text());
    window.备用框.SetAddress(window.备用框2.Text());
    window.地址框.SetAddress(address);
    if (window.网络号框.Text() != kIpxNotInstalled) {
        window.网络号框.SetText(last);
    }
    program.loop.DispatchPending();
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
    ModifySelectedAdapter(program);
}

void MachineNumberKeyPressed(Program& program, int keyCode) {
    if (keyCode == kEnterKey) {
        OpenOrApplyCafeMode(program);
    }
}

}  // namespace netquill
