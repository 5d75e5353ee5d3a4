// The café template file: loading it into the café page (or the built-in defaults), saving the
// page through the save button, and what a failed save leaves behind.
#include "cafe/cafe_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_program.h"
#include "ui/main_window_handlers.h"
#include "ui/startup.h"

namespace netquill {
namespace {

constexpr const char* kPath = "C:\\netquill\\ipset.ini";

// The eight text fields of the café page, in the file's key order.
std::vector<std::string> CafeTexts(const MainWindow& w) {
    return {w.机器名框2.Text(), w.地址框2.Text(), w.掩码框2.Text(), w.网关框2.Text(),
            w.用户框2.Text(),   w.密码框2.Text(), w.首选框2.Text(), w.备用框2.Text()};
}

void FillCafeTexts(MainWindow& w, const std::vector<std::string>& texts) {
    EditBox* boxes[] = {&w.机器名框2, &w.地址框2, &w.掩码框2, &w.网关框2,
                        &w.用户框2,   &w.密码框2, &w.首选框2, &w.备用框2};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        boxes[i]->SetText(texts[i]);
    }
}

const std::vector<std::string> kDefaults = {
    "User", "192.168.16.",     "255.255.255.0",  "192.168.16.254", "China",
    "",     "114.114.114.114", "114.114.115.115"};

class CafeConfigTest : public ::testing::Test, protected TestProgram {
  protected:
    CafeConfigTest() {
        BindMainWindowEvents(program);
        // Leftovers that loading must replace.
        FillCafeTexts(window, std::vector<std::string>(8, "old"));
        window.增位框.SetChecked(true);
        window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);
    }

    void PutFile(const std::string& content) {
        ASSERT_TRUE(files.WriteWholeFile(
            kPath,
            std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size())));
    }

    std::optional<std::string> File() const {
        const auto bytes = files.ReadWholeFile(kPath);
        if (!bytes) {
            return std::nullopt;
        }
        return std::string(bytes->begin(), bytes->end());
    }
};

TEST_F(CafeConfigTest, WithoutFileTheDefaultsFillThePageAndNothingIsWritten) {
    EXPECT_FALSE(LoadCafeConfig(program));
    EXPECT_EQ(CafeTexts(window), kDefaults);
    EXPECT_FALSE(window.增位框.Checked());
    EXPECT_TRUE(files.List("C:\\netquill").empty());
}

TEST_F(CafeConfigTest, FileValuesFillThePage) {
    const std::string content =
        "[其他]\r\n机器=不是这个\r\n"
        "[配置]\r\n"
        "机器=网吧\r\n地址 = 10.0.0.\r\n掩码=\"255.0.0.0\"\r\n网关=10.0.0.1\r\n"
        "用户=管理员\r\n密码=  秘密  \r\n首选=1.1.1.1\r\n备用=8.8.8.8\r\n增位=真\r\n";
    PutFile(content);
    EXPECT_TRUE(LoadCafeConfig(program));
    EXPECT_EQ(CafeTexts(window),
              (std::vector<std::string>{"网吧", "10.0.0.", "255.0.0.0", "10.0.0.1", "管理员",
                                        "秘密", "1.1.1.1", "8.8.8.8"}));
    EXPECT_TRUE(window.增位框.Checked());
    EXPECT_EQ(File(), content);  // loading leaves the file alone
}

TEST_F(CafeConfigTest, FileWithoutTheKeysGivesEmptyFieldsYetCounts) {
    const std::string files[] = {"", "[配置]\r\n", "[其他]\r\n机器=x\r\n", "机器=x\r\n"};
    for (const std::string& content : files) {
        SCOPED_TRACE(content);
        PutFile(content);
        FillCafeTexts(window, std::vector<std::string>(8, "old"));
        window.增位框.SetChecked(true);
        EXPECT_TRUE(LoadCafeConfig(program));
        EXPECT_EQ(CafeTexts(window), std::vector<std::string>(8, ""));
        EXPECT_FALSE(window.增位框.Checked());
    }
}

TEST_F(CafeConfigTest, UnreadableFileGivesEmptyFieldsYetCounts) {
    files.AddDirectory(kPath);  // exists, but holds no bytes to read
    EXPECT_TRUE(LoadCafeConfig(program));
    EXPECT_EQ(CafeTexts(window), std::vector<std::string>(8, ""));
    EXPECT_FALSE(window.增位框.Checked());
}

TEST_F(CafeConfigTest, OnlyTrueTicksAddTen) {
    struct Case {
        std::string line;
        bool ticked;
    };
    const Case cases[] = {
        {"增位=真", true},  {"增位 =  真  ", true}, {"增位=\"真\"", true},
        {"增位=假", false}, {"增位=1", false},      {"增位=true", false},
        {"增位=", false},   {"增位=真 ", true},     {"增位=真真", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PutFile("[配置]\r\n" + c.line + "\r\n");
        window.增位框.SetChecked(!c.ticked);
        EXPECT_TRUE(LoadCafeConfig(program));
        EXPECT_EQ(window.增位框.Checked(), c.ticked);
    }
}

TEST_F(CafeConfigTest, SaveWritesTheNineKeysInOrderAndConfirms) {
    FillCafeTexts(window, {"User", "192.168.16.", "255.255.255.0", "192.168.16.254", "China", "",
                           "114.114.114.114", "114.114.115.115"});
    window.增位框.SetChecked(true);
    window.保存按钮.Click();

    EXPECT_EQ(File(),
              "[配置]\r\n机器=User\r\n地址=192.168.16.\r\n掩码=255.255.255.0\r\n"
              "网关=192.168.16.254\r\n用户=China\r\n密码=\r\n首选=114.114.114.114\r\n"
              "备用=114.114.115.115\r\n增位=真\r\n");
    EXPECT_EQ(
        messages.Shown(),
        (std::vector<ShownMessage>{{"提示", "配置信息保存完毕！", MessageIcon::kInformation}}));
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kLocalConnectionPage);
    EXPECT_FALSE(state.cafeConfigLoaded);  // café mode waits for the next start
}

TEST_F(CafeConfigTest, SavedTemplateLoadsBack) {
    const std::vector<std::string> texts = {"网吧", "10.1.", "255.255.0.0", "10.1.0.1",
                                            "",     "p w",   "9.9.9.9",     ""};
    for (bool addTen : {false, true}) {
        SCOPED_TRACE(addTen);
        FillCafeTexts(window, texts);
        window.增位框.SetChecked(addTen);
        window.保存按钮.Click();

        FillCafeTexts(window, std::vector<std::string>(8, "old"));
        window.增位框.SetChecked(!addTen);
        EXPECT_TRUE(LoadCafeConfig(program));
        EXPECT_EQ(CafeTexts(window), texts);
        EXPECT_EQ(window.增位框.Checked(), addTen);
    }
}

TEST_F(CafeConfigTest, DefaultsSavedAndLoadedAfterARestart) {
    EXPECT_FALSE(LoadCafeConfig(program));
    window.保存按钮.Click();

    MainWindow restarted;
    Program next{state, restarted, registry, adapterInfo, loop, processes, files, clock, messages};
    EXPECT_TRUE(LoadCafeConfig(next));
    EXPECT_EQ(CafeTexts(restarted), kDefaults);
    EXPECT_FALSE(restarted.增位框.Checked());
}

TEST_F(CafeConfigTest, SaveKeepsTheRestOfTheFile) {
    PutFile(
        "; written by hand\r\n"
        "[其他]\r\n机器=不是这个\r\n\r\n"
        "[配置]\r\n密码=old\r\nextra = keep\r\n机器=Old\r\n\r\n"
        "[最后]\r\nz=1");
    FillCafeTexts(window, {"User", "a.", "m", "g", "u", "p", "d1", "d2"});
    window.增位框.SetChecked(false);
    window.保存按钮.Click();

    EXPECT_EQ(File(),
              "; written by hand\r\n"
              "[其他]\r\n机器=不是这个\r\n\r\n"
              "[配置]\r\n密码=p\r\nextra = keep\r\n机器=User\r\n"
              "地址=a.\r\n掩码=m\r\n网关=g\r\n用户=u\r\n首选=d1\r\n备用=d2\r\n增位=假\r\n\r\n"
              "[最后]\r\nz=1");
}

TEST_F(CafeConfigTest, PastedLineBreaksCannotAddKeys) {
    FillCafeTexts(window, {"User\r\n增位=真", "a.\n[配置]", "", "", "", "", "", ""});
    window.增位框.SetChecked(false);
    window.保存按钮.Click();

    window.增位框.SetChecked(true);
    EXPECT_TRUE(LoadCafeConfig(program));
    EXPECT_EQ(window.机器名框2.Text(), "User");
    EXPECT_EQ(window.地址框2.Text(), "a.");
    EXPECT_FALSE(window.增位框.Checked());
}

TEST_F(CafeConfigTest, FailedSaveKeepsTheOldFileAndSaysSo) {
    const std::optional<std::string> noFile;
    const std::optional<std::string> oldFile = "[配置]\r\n机器=Old\r\n";
    for (const auto& before : {noFile, oldFile}) {
        SCOPED_TRACE(before.value_or("no file"));
        files.SetWritable(true);
        if (before) {
            PutFile(*before);
        }
        files.SetWritable(false);
        messages = {};
        window.功能选择夹.SetCurrentPage(MainWindow::kCafePage);
        window.机器名框2.SetText("New");
        window.保存按钮.Click();

        EXPECT_EQ(File(), before);
        ASSERT_EQ(messages.Shown().size(), 1u);
        const ShownMessage& shown = messages.Shown()[0];
        EXPECT_EQ(shown.icon, MessageIcon::kError);
        EXPECT_NE(shown.text, kCafeConfigSaved);
        EXPECT_NE(shown.text.find(kPath), std::string::npos) << "the box names the file";
        EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
    }
}

TEST_F(CafeConfigTest, UnreadableFileIsNotOverwritten) {
    files.AddDirectory(kPath);
    window.保存按钮.Click();

    EXPECT_TRUE(files.Exists(kPath));
    EXPECT_FALSE(File().has_value());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::kError);
    EXPECT_EQ(window.功能选择夹.CurrentPage(), MainWindow::kCafePage);
}

TEST_F(CafeConfigTest, UnknownProgramDirectory) {
    MemorySystemFiles nowhere{"C:\\windows\\system32", ""};
    Program lost{state, window, registry, adapterInfo, loop, processes, nowhere, clock, messages};
    EXPECT_FALSE(LoadCafeConfig(lost));
    EXPECT_EQ(CafeTexts(window), kDefaults);

    SaveCafeConfig(lost);
    EXPECT_TRUE(nowhere.List("").empty()) << "nothing lands in the current drive's root";
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::kError);
}

TEST_F(CafeConfigTest, StartupLoadsTheTemplate) {
    PutFile("[配置]\r\n机器=网吧\r\n");
    RunStartup(program, StandardStartupSteps());
    EXPECT_TRUE(state.cafeConfigLoaded);
    EXPECT_EQ(window.机器名框2.Text(), "网吧");

    MainWindow other;
    SharedState otherState;
    MemorySystemFiles emptyFiles{"C:\\windows\\system32", "C:\\elsewhere"};
    Program withoutFile{otherState, other,      registry, adapterInfo, loop,
                        processes,  emptyFiles, clock,    messages};
    RunStartup(withoutFile, StandardStartupSteps());
    EXPECT_FALSE(otherState.cafeConfigLoaded);
    EXPECT_EQ(CafeTexts(other), kDefaults);
}

}  // namespace
}  // namespace netquill
