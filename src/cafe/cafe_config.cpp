#include "cafe/cafe_config.h"

#include <cstdint>
#include <span>

#include "cafe/private_profile.h"

namespace netquill {
namespace {

// The keys of the text fields, in the order they are written, with their built-in defaults.
struct TextKey {
    std::string_view key;
    EditBox MainWindow::*field;
    std::string_view defaultValue;
};

// The default DNS servers are a public resolver pair run for users in China.
constexpr TextKey kTextKeys[] = {
    {"机器", &MainWindow::机器名框2, "User"},
    {"地址", &MainWindow::地址框2, "192.168.16."},
    {"掩码", &MainWindow::掩码框2, "255.255.255.0"},
    {"网关", &MainWindow::网关框2, "192.168.16.254"},
    {"用户", &MainWindow::用户框2, "China"},
    {"密码", &MainWindow::密码框2, ""},
    {"首选", &MainWindow::首选框2, "114.114.114.114"},
    {"备用", &MainWindow::备用框2, "114.114.115.115"},
};

// 增位框 is stored as a boolean text, written after the text fields.
constexpr std::string_view kAddTenKey = "增位";
constexpr std::string_view kTrue = "真";
constexpr std::string_view kFalse = "假";

constexpr std::string_view kTitle = "提示";

std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

void ShowSaveFailure(Program& program, std::string_view cause, std::string_view path,
                     bool fileExisted) {
    std::string text = "配置信息保存失败！\n";
    text += cause;
    text += path;
    if (fileExisted) {
        text += "\n原有的配置文件没有改动。";
    }
    program.messages.ShowMessage(kTitle, text, MessageIcon::kError);
}

}  // namespace

std::string CafeConfigPath(const SystemFiles& files) {
    std::string path = files.ProgramDirectory();
    if (path.empty()) {
        return path;
    }
    path += '\\';
    path += kCafeConfigFileName;
    return path;
}

bool LoadCafeConfig(Program& program) {
    MainWindow& window = program.mainWindow;
    const std::string path = CafeConfigPath(program.files);
    if (path.empty() || !program.files.Exists(path)) {
        for (const TextKey& text : kTextKeys) {
            (window.*text.field).SetText(std::string(text.defaultValue));
        }
        window.增位框.SetChecked(false);
        return false;
    }
    // An unreadable file reads as an empty one.
    const std::string content =
        AsText(program.files.ReadWholeFile(path).value_or(std::vector<std::uint8_t>{}));
    for (const TextKey& text : kTextKeys) {
        (window.*text.field).SetText(ReadProfileValue(content, kCafeConfigSection, text.key, ""));
    }
    window.增位框.SetChecked(ReadProfileValue(content, kCafeConfigSection, kAddTenKey, "") ==
                             kTrue);
    return true;
}

void SaveCafeConfig(Program& program) {
    MainWindow& window = program.mainWindow;
    const std::string path = CafeConfigPath(program.files);
    if (path.empty()) {
        ShowSaveFailure(program, "无法确定程序所在的目录。", "", false);
        return;
    }
    std::string content;
    const bool fileExisted = program.files.Exists(path);
    if (fileExisted) {
        // Without the old contents their other sections and lines would be lost.
        const auto existing = program.files.ReadWholeFile(path);
        if (!existing) {
            ShowSaveFailure(program, "无法读取文件：", path, fileExisted);
            return;
        }
        content = AsText(*existing);
    }
    for (const TextKey& text : kTextKeys) {
        content =
            WriteProfileValue(content, kCafeConfigSection, text.key, (window.*text.field).Text());
    }
    content = WriteProfileValue(content, kCafeConfigSection, kAddTenKey,
                                window.增位框.Checked() ? kTrue : kFalse);

    const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.data());
    if (!program.files.WriteWholeFile(path, std::span(bytes, content.size()))) {
        ShowSaveFailure(program, "无法写入文件：", path, fileExisted);
        return;
    }
    program.messages.ShowMessage(kTitle, kCafeConfigSaved, MessageIcon::kInformation);
    window.功能选择夹.SetCurrentPage(MainWindow::kLocalConnectionPage);
}

}  // namespace netquill
