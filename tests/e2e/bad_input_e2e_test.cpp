// Bad input: texts that no keyboard makes, pasted into every box a user can put text into, and
// registry values and a template file that no tool of the system writes. The program keeps
// answering, shows in each box what it holds, stores exactly that or refuses it with a message,
// and leaves every value it has no reason to write byte for byte as it was.
#include <gtest/gtest.h>

#include "advanced/validation.h"
#include "apply/apply_pipeline.h"
#include "cafe/private_profile.h"
#include "e2e/netquill_fixture.h"
#include "e2e/raw_access.h"
#include "ui/advanced_window.h"

namespace netquill {
namespace {

struct BadText {
    const char* name;
    std::wstring text;
    // What a part of an IP-address field keeps of it: its leading digits, or nothing.
    std::wstring part;
};

const std::vector<BadText>& BadTexts() {
    static const std::vector<BadText> texts = [] {
        // Digits first, then surrogate pairs, Chinese and Latin: a box of four characters cuts it
        // inside a pair, and the last of its 100,000 units is a lone high surrogate.
        std::wstring huge = L"123";
        while (huge.size() < 100000) {
            huge += L"\xD83D\xDE00网a";
        }
        huge.resize(100000);
        return std::vector<BadText>{
            {"100,000 units", huge, L"123"},
            {"unpaired surrogates", {L'\xD800', L'7', L'\xDC00', L'8'}, L""},
            {"what code page 936 lacks",
             {L'\xD83D', L'\xDE00', L'1', L'\xFFFF', L'\x80', L'\x9F'},
             L""},
            {"a NUL inside", {L'1', L'2', L'\0', L'3', L'4'}, L"12"},
        };
    }();
    return texts;
}

// The number the leading ASCII digits of `text` make, 0 without any; capped, since only small
// ones matter here.
int LeadingNumber(std::wstring_view text) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = std::min(value * 10 + (text[i] - L'0'), 1000000);
    }
    return value;
}

// A box that takes text: an edit box, or a part of an IP-address field.
struct TextBox {
    std::string name;
    HWND handle = nullptr;
    const ControlLayout* row = nullptr;
    bool part = false;
};

// Every box of `window` that takes text, from its layout.
std::vector<TextBox> TextBoxes(HWND window, const WindowLayout& layout) {
    std::vector<TextBox> boxes;
    for (const ControlLayout& row : layout.controls) {
        const HWND control = ControlNamed(window, layout, row.name);
        if (row.kind == ControlKind::kEditBox) {
            boxes.push_back({std::string(row.name), control, &row, false});
        } else if (row.kind == ControlKind::kIpAddressField) {
            int number = 0;
            for (HWND part = GetWindow(control, GW_CHILD); part != nullptr;
                 part = GetWindow(part, GW_HWNDNEXT)) {
                boxes.push_back({std::string(row.name) + " part " + std::to_string(++number), part,
                                 &row, true});
            }
        }
    }
    return boxes;
}

bool ReadOnly(HWND box) {
    return (GetWindowLongW(box, GWL_STYLE) & ES_READONLY) != 0;
}

// Sends a message as a user's action sends it, without waiting forever on a program that hangs;
// whether the program handled it in time.
bool SendInTime(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result) !=
           0;
}

// Pastes the clipboard's text into `box` as a user does: the box's text selected, then Ctrl+V
// (the character those keys make) or Paste from the box's menu; the parts of an address field
// take only the menu's. A read-only box takes no paste: `text` is set, as a tool that drives
// windows may set it. Whether the program handled it in time.
bool PasteInto(const TextBox& box, const std::wstring& text, bool withKeys) {
    if (ReadOnly(box.handle)) {
        return SendInTime(box.handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    constexpr WPARAM kCtrlV = 0x16;
    return SendInTime(box.handle, EM_SETSEL, 0, -1) &&
           (withKeys && !box.part ? SendInTime(box.handle, WM_CHAR, kCtrlV, 1)
                                  : SendInTime(box.handle, WM_PASTE));
}

// After `pasted` went into `box`, which showed `before`: the box shows a text that the program
// holds as it is (code page 936 keeps it), and nothing of the paste is lost but what the box's
// limit or a NUL ends; a part of an address field shows what the field takes of it, and a
// read-only box keeps its own text.
void ExpectShownAsHeld(const TextBox& box, const BadText& pasted, const std::wstring& before) {
    const std::wstring shown = WideTextOf(box.handle);
    const std::string start = FromWide(shown.substr(0, 24));
    EXPECT_TRUE(ToWide(FromWide(shown)) == shown) << start;
    if (box.part) {
        EXPECT_TRUE(shown == pasted.part) << start;
    } else if (ReadOnly(box.handle)) {
        EXPECT_TRUE(shown == before) << start;
    } else {
        std::size_t length = std::min(pasted.text.find(L'\0'), pasted.text.size());
        if (box.row->maxLength > 0) {
            length = std::min(length, static_cast<std::size_t>(box.row->maxLength));
        }
        EXPECT_EQ(shown.size(), length) << start;
    }
}

// A REG_SZ value holding `text` as the program stores it: UTF-16 and one closing NUL.
RawValue StoredText(std::wstring text) {
    text.push_back(L'\0');
    return {REG_SZ, BytesOf(text)};
}

RawValue StoredNumber(DWORD number) {
    return {REG_DWORD,
            {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
             static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

ValuePlace PlaceOf(const std::string& key, std::string_view name) {
    return {ToWide(key), ToWide(name)};
}

// A value path of the program's, split at its last backslash.
ValuePlace PlaceAt(const std::string& valuePath) {
    const std::size_t cut = valuePath.find_last_of('\\');
    return PlaceOf(valuePath.substr(0, cut), valuePath.substr(cut + 1));
}

// The value at a value path, as stored.
std::optional<RawValue> RawAt(const std::string& valuePath) {
    const ValuePlace place = PlaceAt(valuePath);
    return ReadRawValue(place.key, place.name);
}

std::vector<std::optional<RawValue>> ReadAll(const std::vector<ValuePlace>& places) {
    std::vector<std::optional<RawValue>> values;
    for (const ValuePlace& place : places) {
        values.push_back(ReadRawValue(place.key, place.name));
    }
    return values;
}

// The template's keys and the boxes of the café page they are saved from.
const char* const kInterfaceValues[] = {
    "EnableDHCP",           "IPAddress",          "SubnetMask",      "DefaultGateway",
    "DefaultGatewayMetric", "NameServer",         "InterfaceMetric", "DhcpIPAddress",
    "DhcpSubnetMask",       "DhcpDefaultGateway", "DhcpNameServer",
};

class BadInputTest : public AdvancedSettingsTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(templateFile.Put(
            "[配置]\r\n机器=NQ\r\n地址=192.168.16.\r\n掩码=255.255.255.0\r\n"
            "网关=192.168.16.254\r\n用户=player\r\n密码=pw\r\n首选=114.114.114.114\r\n"
            "备用=114.114.115.115\r\n增位=假\r\n"));
        seeded.Seed();
        kept.emplace(TouchedPlaces());
        seeded.registry.WriteRegistryText(kIpxKey + "\\DisplayName", "NWLink IPX");
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    // Every value the tests or the program may change, as seeded.
    std::vector<ValuePlace> TouchedPlaces() const {
        std::vector<ValuePlace> places;
        for (const std::string& path : CafeTouchedValues()) {
            places.push_back(PlaceAt(path));
        }
        for (int i = 0; i < 3; ++i) {
            for (const char* name : kInterfaceValues) {
                places.push_back(PlaceOf(seeded.Interface(i), name));
            }
            places.push_back(PlaceOf(seeded.ClassKey(i), "DriverDesc"));
            places.push_back(PlaceOf(ConnectionKey(i), "Name"));
        }
        return places;
    }

    // What the program reads of the adapters it does not apply to, and never writes.
    std::vector<ValuePlace> UntouchedPlaces(int applied) const {
        std::vector<ValuePlace> places{PlaceOf(kIpxKey, "DisplayName")};
        for (int i = 0; i < 3; ++i) {
            for (const char* name : kInterfaceValues) {
                if (i != applied || std::string_view(name).starts_with("Dhcp")) {
                    places.push_back(PlaceOf(seeded.Interface(i), name));
                }
            }
            places.push_back(PlaceOf(seeded.ClassKey(i), "DriverDesc"));
            places.push_back(PlaceOf(ConnectionKey(i), "Name"));
        }
        return places;
    }

    std::string ConnectionKey(int index) const {
        return seeded.paths.networkKey + seeded.ids[index] + "\\Connection";
    }

    // Pastes `bad` into every box of `shown` that shows and that `chosen` accepts.
    template <typename Chosen>
    void PasteWhere(HWND shown, const WindowLayout& layout, const BadText& bad, Chosen chosen) {
        for (const TextBox& box : TextBoxes(shown, layout)) {
            if (!IsWindowVisible(box.handle) || !chosen(box)) {
                continue;
            }
            SCOPED_TRACE(box.name);
            const std::wstring before = WideTextOf(box.handle);
            pasteWithKeys = !pasteWithKeys;
            ASSERT_TRUE(PasteInto(box, bad.text, pasteWithKeys)) << "the program does not answer";
            ExpectShownAsHeld(box, bad, before);
        }
    }

    // Starts an apply with `start` and waits until the rescan after it has given the window
    // back, closing each message box the program shows meanwhile; their titles and texts.
    template <typename Start>
    std::vector<std::string> ApplyClosingMessages(Start start) {
        start();
        std::vector<std::string> messages;
        bool ended = false;
        for (DWORD waited = 0; waited < 2 * kTimeoutMs; waited += 20) {
            if (HWND box = ShownMessageBox(process.dwProcessId)) {
                messages.push_back(TextOf(box) + ": " + MessageBoxText(box));
                PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                EXPECT_TRUE(WaitFor([&] { return Gone(box); }));
            }
            const std::string status = StoredTextOf(Control("提示标签"));
            ended = ended || status == kApplied || status == kApplyFailed;
            if (ended && IsWindowEnabled(Control("修改按钮"))) {
                break;
            }
            Sleep(20);
        }
        EXPECT_TRUE(ended) << "no apply ended";
        WaitForInputIdle(process.hProcess, kTimeoutMs);
        return messages;
    }

    bool CafePageShown() const { return IsWindowVisible(Control("网吧修改框")) != FALSE; }

    // Closes the message box titled `title` once it shows, and waits until it has gone: the
    // program's windows take no input before. Its text.
    std::string Refusal(const wchar_t* title) {
        std::string text = CloseMessageBox(process.dwProcessId, title);
        EXPECT_TRUE(WaitFor([&] { return ShownMessageBox(process.dwProcessId) == nullptr; }));
        return text;
    }

    void PasteEverywhere(HWND shown, const WindowLayout& layout, const BadText& bad) {
        PasteWhere(shown, layout, bad, [](const TextBox&) { return true; });
    }

    void PasteOnPage(int page, const BadText& bad) {
        PasteWhere(window, MainWindow::Layout(), bad,
                   [page](const TextBox& box) { return box.row->page == page; });
    }

    void ExpectClosesWithCodeZero() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForExit(), 0);
    }

    TemplateFileBeside templateFile;
    std::optional<RawValuesKept> kept;
    bool pasteWithKeys = false;
};

TEST_F(BadInputTest, MainWindowBoxesHoldWhatTheyShowAndItIsStoredAsShown) {
    using namespace std::string_literals;
    const std::vector<ValuePlace> untouched = UntouchedPlaces(0);
    const auto untouchedBefore = ReadAll(untouched);
    for (const BadText& bad : BadTexts()) {
        SCOPED_TRACE(bad.name);
        seeded.Seed();  // the first adapter as it was before the last round's apply
        ASSERT_TRUE(SendInTime(Control("刷新按钮"), BM_CLICK));
        ASSERT_TRUE(PutOnClipboard(bad.text));
        ASSERT_NO_FATAL_FAILURE(PasteOnPage(MainWindow::kLocalConnectionPage, bad));
        ASSERT_TRUE(SendInTime(Control("网吧按钮"), BM_CLICK));
        ASSERT_TRUE(CafePageShown());
        ASSERT_NO_FATAL_FAILURE(PasteOnPage(MainWindow::kCafePage, bad));

        // Saved: each value of the template is what its box shows.
        PostMessageW(Control("保存按钮"), BM_CLICK, 0, 0);
        EXPECT_EQ(Refusal(L"提示"), "配置信息保存完毕！");
        EXPECT_TRUE(WaitFor([&] { return !CafePageShown(); }));
        const std::string file = templateFile.Content().value_or("");
        for (const auto& [key, box] : kTemplateBoxes) {
            EXPECT_TRUE(ToWide(ReadProfileValue(file, "配置", key, "(missing)", file.size() + 1)) ==
                        WideTextOf(Control(box)))
                << key;
        }

        // Applied: each value is what its box shows, or refused with a message and kept.
        const std::wstring name = WideTextOf(Control("机器名框"));
        const std::wstring ipx = WideTextOf(Control("网络号框"));
        const std::wstring user = WideTextOf(Control("用户框2"));
        const std::wstring password = WideTextOf(Control("密码框2"));
        const std::string ipxPath = kIpxKey + "\\Parameters\\VirtualNetworkNumber";
        const auto ipxBefore = RawAt(ipxPath);
        const std::vector<std::string> messages =
            ApplyClosingMessages([&] { PostMessageW(Control("修改按钮"), BM_CLICK, 0, 0); });
        for (const std::string& place : kComputerNamePlaces) {
            EXPECT_TRUE(RawAt(place) == StoredText(name)) << place;
        }
        const std::pair<const char*, std::wstring> logon[] = {
            {"AutoAdminLogon", L"1"},      {"DefaultUserName", user},
            {"DefaultPassword", password}, {"DefaultDomainName", name},
            {"AltDefaultUserName", user},  {"AltDefaultDomainName", name},
        };
        for (const auto& [value, text] : logon) {
            EXPECT_TRUE(RawAt(kWinlogonKey + "\\" + value) == StoredText(text)) << value;
        }
        const bool ipxNumber =
            !ipx.empty() && ipx.size() <= 8 &&
            ipx.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring::npos;
        if (ipxNumber) {
            EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);
            EXPECT_TRUE(RawAt(ipxPath) == StoredNumber(std::wcstoul(ipx.c_str(), nullptr, 16)));
        } else {
            ASSERT_EQ(messages.size(), 1u) << testing::PrintToString(messages);
            EXPECT_NE(messages.front().find("IPX"), std::string::npos) << messages.front();
            EXPECT_TRUE(RawAt(ipxPath) == ipxBefore);
        }
        // Every part of every address field took the same digits: with none, the fields are
        // blank and the first entry of each list goes.
        const std::string part = FromWide(bad.part);
        const std::string address = part.empty() ? "" : part + "." + part + "." + part + "." + part;
        const std::string key = seeded.Interface(0);
        const auto multi = [](const std::string& items) {
            return std::optional<RegistryValue>({kRegMultiSz, items + '\0'});
        };
        EXPECT_EQ(seeded.store.QueryValue(key, "IPAddress"),
                  multi(address.empty() ? "192.168.16.6\0"s : address + '\0' + "192.168.16.6\0"s));
        EXPECT_EQ(
            seeded.store.QueryValue(key, "SubnetMask"),
            multi(address.empty() ? "255.255.255.0\0"s : address + '\0' + "255.255.255.0\0"s));
        EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGateway"),
                  address.empty() ? std::nullopt : multi(address + '\0'));
        EXPECT_EQ(seeded.store.QueryValue(key, "NameServer"),
                  (RegistryValue{kRegSz, (address.empty() ? "" : address + "," + address) + '\0'}));
        EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    }
    ExpectClosesWithCodeZero();
}

TEST_F(BadInputTest, AdvancedWindowAndEntryDialogHoldWhatTheyShow) {
    struct EntryKind {
        const char* addButton;
        const char* caption;
        int page;
    };
    const EntryKind kinds[] = {
        {"添加按钮1", "TCP/IP 地址", AdvancedWindow::kIpSettingsPage},
        {"添加按钮2", "TCP/IP 网关地址", AdvancedWindow::kIpSettingsPage},
        {"添加按钮3", "TCP/IP DNS 服务器", AdvancedWindow::kDnsPage},
    };
    const std::vector<ValuePlace> untouched = UntouchedPlaces(2);
    const auto untouchedBefore = ReadAll(untouched);
    Pick(2);
    Rows addresses;
    Rows gateways;
    Items servers;
    int metric = 0;  // automatic
    for (const BadText& bad : BadTexts()) {
        SCOPED_TRACE(bad.name);
        ASSERT_TRUE(PutOnClipboard(bad.text));
        Click(Control("高级按钮"));
        advanced = WaitForWindow("高级 TCP/IP 设置");
        ASSERT_NE(advanced, nullptr);
        const HWND pages = Advanced("功能选择夹");
        for (std::size_t k = 0; k < std::size(kinds); ++k) {
            const EntryKind& kind = kinds[k];
            SCOPED_TRACE(kind.caption);
            if (SendMessageW(pages, TCM_GETCURSEL, 0, 0) != kind.page) {
                ClickTab(pages, kind.page, process.hProcess);
                EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(Advanced(kind.addButton)); }));
            }
            const Rows addressesBefore = AddressRows();
            const Rows gatewaysBefore = GatewayRows();
            const Items serversBefore = DnsServers();
            ASSERT_NO_FATAL_FAILURE(OpenEntryDialog(kind.addButton, kind.caption));
            const HWND automatic = Entry("自动框");
            if (IsWindowVisible(automatic) &&
                SendMessageW(automatic, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                Click(automatic);
                EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Entry("跃点框")) != FALSE; }));
            }
            ASSERT_NO_FATAL_FAILURE(PasteEverywhere(entry, kEntryDialogLayout, bad));
            // What the dialog's fields show; those of other kinds stay blank and hidden.
            const auto shown = [&](const char* field) {
                return IpAddressOf(Entry(field), process.hProcess);
            };
            Rows addressesAfter = addressesBefore;
            Rows gatewaysAfter = gatewaysBefore;
            Items serversAfter = serversBefore;
            if (!bad.part.empty()) {
                if (k == 0) {
                    addressesAfter.push_back({shown("地址框"), shown("掩码框")});
                } else if (k == 1) {
                    gatewaysAfter.push_back({shown("网关框"), TextOf(Entry("跃点框"))});
                } else {
                    serversAfter.push_back(shown("DNS框"));
                }
            }
            Click(Entry("添加按钮"));
            if (bad.part.empty()) {
                EXPECT_EQ(Refusal(L"错误"), kAddressBlank);
            }
            EXPECT_TRUE(WaitFor([&] { return Gone(entry); }));
            EXPECT_TRUE(WaitFor([&] {
                return AddressRows() == addressesAfter && GatewayRows() == gatewaysAfter &&
                       DnsServers() == serversAfter;
            }));
        }

        // The interface metric typed last: leaving the page would check it. OK takes it, or
        // refuses one that is no number 1 to 9999 with its message; automatic then.
        ClickTab(pages, AdvancedWindow::kIpSettingsPage, process.hProcess);
        const HWND metricBox = Advanced("跃点框");
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(metricBox) != FALSE; }));
        if (!IsWindowEnabled(metricBox)) {
            Click(Advanced("跃点选择框"));
            EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(metricBox) != FALSE; }));
        }
        ASSERT_NO_FATAL_FAILURE(PasteEverywhere(advanced, kAdvancedWindowLayout, bad));
        metric = LeadingNumber(WideTextOf(metricBox));
        addresses = AddressRows();
        gateways = GatewayRows();
        servers = DnsServers();
        Click(Advanced("确定按钮"));
        if (metric == 0) {
            EXPECT_EQ(Refusal(L"Microsoft TCP/IP"), kBadMetricText);
            Click(Advanced("跃点选择框"));
            EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(metricBox); }));
            Click(Advanced("确定按钮"));
        }
        EXPECT_TRUE(WaitFor([&] { return Gone(advanced); }));
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    }

    // 修改 stores the lists as the advanced window showed them when OK took them.
    EXPECT_TRUE(
        ApplyClosingMessages([&] { PostMessageW(Control("修改按钮"), BM_CLICK, 0, 0); }).empty());
    const auto joined = [](const Rows& rows, std::size_t column) {
        std::string items;
        for (const auto& row : rows) {
            items += (column == 1 && row[1] == "自动" ? "0" : row[column]) + '\0';
        }
        return std::optional<RegistryValue>({kRegMultiSz, items + '\0'});
    };
    const std::string key = seeded.Interface(2);
    EXPECT_EQ(seeded.store.QueryValue(key, "IPAddress"), joined(addresses, 0));
    EXPECT_EQ(seeded.store.QueryValue(key, "SubnetMask"), joined(addresses, 1));
    EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGateway"), joined(gateways, 0));
    EXPECT_EQ(seeded.store.QueryValue(key, "DefaultGatewayMetric"), joined(gateways, 1));
    std::string nameServers;
    for (const std::string& server : servers) {
        nameServers += (nameServers.empty() ? "" : ",") + server;
    }
    EXPECT_EQ(seeded.store.QueryValue(key, "NameServer"),
              (RegistryValue{kRegSz, nameServers + '\0'}));
    const auto stored = RawAt(InterfaceMetricPath(seeded.ids[2]));
    if (metric == 0) {
        EXPECT_FALSE(stored.has_value());
    } else {
        EXPECT_TRUE(stored == StoredNumber(static_cast<DWORD>(metric)));
    }
    EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    ExpectClosesWithCodeZero();
}

// The registry and the template file as no tool of the system leaves them, for the adapter the
// café mode applies to, the computer name, IPX and the automatic logon.
class BadRegistryAndTemplateTest : public BadInputTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(templateFile.Put(BadTemplate()));
        seeded.Seed();
        kept.emplace(TouchedPlaces());
        for (const auto& [path, value] : BadValues()) {
            const ValuePlace place = PlaceAt(path);
            ASSERT_TRUE(WriteRawValue(place.key, place.name, value)) << path;
        }
        ASSERT_NO_FATAL_FAILURE(Start());
    }

    static std::string BadTemplate() {
        std::string user;
        while (user.size() < 200000) {
            user += "玩家";
        }
        std::string junk;
        while (junk.size() < 300000) {
            junk += "\x81\xFF\x80=";
        }
        return "[配置]\r\n"
               "机器=NQ\x81\r\n"  // a lead byte without its trail byte
               "地址=192.168.16.\r\n掩码=255.255.255.0\r\n网关=192.168.16.254\r\n用户=" +
               user + "\r\n密码=pw\xFF\x80" + std::string("\0tail", 5) +
               "\r\n首选=114.114.114.114\r\n备用=\xFE\r\n增位=假\r\n; " + junk + "\r\n";
    }

    static std::wstring LongAddress() { return std::wstring(100000, L'9'); }

    // Value paths and what is stored there: wrong types, odd byte counts, no closing NUL,
    // unpaired surrogates, 100,000 characters.
    std::vector<std::pair<std::string, RawValue>> BadValues() const {
        using namespace std::string_literals;
        const auto text = [](DWORD type, const std::wstring& units) {
            return RawValue{type, BytesOf(units)};
        };
        const auto odd = [](RawValue value) {
            value.bytes.push_back(0x41);
            return value;
        };
        const std::string applied = seeded.Interface(0) + "\\";
        std::wstring longName(100000, L'N');
        longName[50000] = L'\xD800';
        return {
            {applied + "EnableDHCP", text(REG_SZ, L"0\0"s)},
            {applied + "IPAddress",
             text(REG_MULTI_SZ, L"192.168.16.5\0"s + LongAddress() + L"\0\0"s)},
            {applied + "SubnetMask", odd(text(REG_MULTI_SZ, L"255.255.255.0\0"s + L"255.255.0.0"))},
            {applied + "DefaultGateway", text(REG_SZ, L"192.168.16.254\0"s)},
            {applied + "DefaultGatewayMetric", {REG_DWORD, {5, 0, 0, 0}}},
            {applied + "NameServer", text(REG_SZ, L"202.96.128.86,\xD800\0"s)},
            {applied + "DhcpIPAddress", text(REG_SZ, LongAddress())},
            {seeded.Interface(1) + "\\DhcpNameServer", odd(text(REG_SZ, L"10.0.2.3,\xDC00"))},
            {seeded.Interface(1) + "\\DhcpDefaultGateway", {REG_BINARY, {0x81, 0, 0xFF}}},
            {seeded.Interface(2) + "\\NameServer", text(REG_MULTI_SZ, L"172.16.0.2\0\0"s)},
            {seeded.ClassKey(2) + "\\DriverDesc", text(REG_SZ, L"Broadcom \xD800 NetXtreme\0"s)},
            {ConnectionKey(2) + "\\Name", text(REG_SZ, L"办公网")},
            {kIpxKey + "\\DisplayName", text(REG_SZ, longName)},
            {kIpxKey + "\\Parameters\\VirtualNetworkNumber", text(REG_SZ, L"1A\0"s)},
            {kComputerNamePlaces[0], odd(text(REG_SZ, longName))},
            {kComputerNamePlaces[2], {REG_BINARY, {0x81, 0x81}}},
            {kWinlogonKey + "\\DefaultUserName", text(REG_SZ, L"player\xDC00\0"s)},
            {kWinlogonKey + "\\DefaultPassword", {REG_BINARY, {0xFF}}},
            {kWinlogonKey + "\\AutoAdminLogon", {REG_DWORD, {1, 0, 0, 0}}},
        };
    }
};

TEST_F(BadRegistryAndTemplateTest, CafeModeStoresWhatTheBoxesShowAndLeavesTheRestAsItWas) {
    using namespace std::string_literals;
    const std::vector<ValuePlace> untouched = UntouchedPlaces(0);
    const auto untouchedBefore = ReadAll(untouched);
    EXPECT_EQ(ComboItems(Control("网卡选择框")),
              (std::vector<std::string>{seeded.firstDescription, "Realtek PCIe GBE 网卡",
                                        "Broadcom ? NetXtreme"}));

    const BadText& huge = BadTexts().front();
    ASSERT_TRUE(SendInTime(Control("网吧按钮"), BM_CLICK));
    ASSERT_TRUE(PutOnClipboard(huge.text));
    ASSERT_NO_FATAL_FAILURE(PasteWhere(window, MainWindow::Layout(), huge,
                                       [](const TextBox& box) { return box.name == "机器数框"; }));
    const std::wstring prefix = WideTextOf(Control("机器名框2"));
    const std::wstring number = WideTextOf(Control("机器数框"));
    const std::wstring user = WideTextOf(Control("用户框2"));
    const std::wstring password = WideTextOf(Control("密码框2"));
    const std::vector<std::string> messages =
        ApplyClosingMessages([&] { PostMessageW(Control("机器数框"), WM_CHAR, L'\r', 1); });
    EXPECT_TRUE(messages.empty()) << testing::PrintToString(messages);

    // The name is the prefix and the number as the boxes show them, however the template's
    // bytes were broken.
    for (const std::string& place : kComputerNamePlaces) {
        EXPECT_TRUE(RawAt(place) == StoredText(prefix + number)) << place;
    }
    const std::pair<const char*, std::wstring> logon[] = {
        {"AutoAdminLogon", L"1"},      {"DefaultUserName", user},
        {"DefaultPassword", password}, {"DefaultDomainName", prefix + number},
        {"AltDefaultUserName", user},  {"AltDefaultDomainName", prefix + number},
    };
    for (const auto& [value, text] : logon) {
        EXPECT_TRUE(RawAt(kWinlogonKey + "\\" + value) == StoredText(text)) << value;
    }
    const int last = LeadingNumber(number);
    const std::string key = seeded.Interface(0);
    const std::pair<const char*, RegistryValue> expected[] = {
        {"EnableDHCP", {kRegDword, "\0\0\0\0"s}},
        {"IPAddress",
         {kRegMultiSz, TextOf(Control("地址框2")) + std::to_string(last) + '\0' +
                           FromWide(LongAddress()) + "\0\0"s}},
        {"SubnetMask", {kRegMultiSz, "255.255.255.0\0"s + "255.255.0.0\0\0"s}},
        {"DefaultGateway", {kRegMultiSz, "192.168.16.254\0\0"s}},
        {"DefaultGatewayMetric", {kRegMultiSz, "0\0\0"s}},
        {"NameServer", {kRegSz, "114.114.114.114\0"s}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(seeded.store.QueryValue(key, name), value) << name;
    }
    EXPECT_EQ(seeded.store.QueryValue(kIpxKey + "\\Parameters", "VirtualNetworkNumber"),
              (RegistryValue{kRegDword, {static_cast<char>(0x23), 1, 0, 0}}));
    EXPECT_TRUE(ReadAll(untouched) == untouchedBefore);
    EXPECT_TRUE(templateFile.Content() == BadTemplate());
    ExpectClosesWithCodeZero();
}

}  // namespace
}  // namespace netquill
