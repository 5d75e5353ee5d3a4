// The SystemFiles contract, one table of cases run against the in-memory files everywhere and,
// in the Windows build, against the real file system in a fresh temporary directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/memory_system_files.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"
#endif

namespace netquill {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One backend prepared for a case: the files and an empty directory to work in, with what a test
// needs beyond the port to look around it.
struct Fixture {
    std::unique_ptr<SystemFiles> files;
    std::string scratch;
    std::function<void(const std::string&)> makeDirectory;
    std::function<std::vector<std::string>(const std::string&)> list;
    std::function<void()> cleanUp = [] {};
};

struct Backend {
    std::string name;
    std::function<Fixture()> prepare;
};

void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

Fixture MemoryFixture() {
    auto memory = std::make_unique<MemorySystemFiles>("C:\\windows\\system32", "C:\\netquill");
    MemorySystemFiles* files = memory.get();
    files->AddDirectory("C:\\scratch");
    Fixture fixture;
    fixture.files = std::move(memory);
    fixture.scratch = "C:\\scratch";
    fixture.makeDirectory = [files](const std::string& path) { files->AddDirectory(path); };
    fixture.list = [files](const std::string& path) { return files->List(path); };
    return fixture;
}

#ifdef _WIN32
std::vector<std::string> ListDirectory(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(ToWide(directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(FromWide(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::ranges::sort(names);
    return names;
}

void RemoveTree(const std::string& directory) {
    for (const std::string& name : ListDirectory(directory)) {
        const std::wstring path = ToWide(directory + "\\" + name);
        if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(directory + "\\" + name);
        } else {
            DeleteFileW(path.c_str());
        }
    }
    RemoveDirectoryW(ToWide(directory).c_str());
}

Fixture RealFixture() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::string scratch =
        FromWide(temp) + "netquill-files-" + std::to_string(GetCurrentProcessId());
    RemoveTree(scratch);
    CreateDirectoryW(ToWide(scratch).c_str(), nullptr);
    Fixture fixture;
    fixture.files = std::make_unique<RealSystemFiles>();
    fixture.scratch = scratch;
    fixture.makeDirectory = [](const std::string& path) {
        CreateDirectoryW(ToWide(path).c_str(), nullptr);
    };
    fixture.list = ListDirectory;
    fixture.cleanUp = [scratch] { RemoveTree(scratch); };
    return fixture;
}
#endif

std::vector<Backend> Backends() {
    std::vector<Backend> backends{{"Memory", MemoryFixture}};
#ifdef _WIN32
    backends.push_back({"Win32", RealFixture});
#endif
    return backends;
}

class SystemFilesContract : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override { f = GetParam().prepare(); }
    void TearDown() override { f.cleanUp(); }

    std::string In(std::string_view name) const { return f.scratch + "\\" + std::string(name); }

    Fixture f;
};

TEST_P(SystemFilesContract, AWrittenFileHoldsExactlyItsBytes) {
    const Bytes image = {'M', 'Z', 0x00, 0x0D, 0x0A, 0x1A, 0xFF, 0x0A, 0x0D, 0x00};
    EXPECT_FALSE(f.files->Exists(In("devcon.exe")));
    ASSERT_TRUE(f.files->WriteWholeFile(In("devcon.exe"), image));
    EXPECT_TRUE(f.files->Exists(In("devcon.exe")));
    EXPECT_TRUE(f.files->Exists(In("DEVCON.EXE")));  // names ignore letter case
    EXPECT_EQ(f.files->ReadWholeFile(In("devcon.exe")), image);
}

TEST_P(SystemFilesContract, ARewriteReplacesTheWholeFileAndLeavesNothingBeside) {
    const Bytes large(100000, 0xAB);
    const Bytes small = {1, 2, 3};
    ASSERT_TRUE(f.files->WriteWholeFile(In("data.bin"), large));
    ASSERT_TRUE(f.files->WriteWholeFile(In("data.bin"), small));
    EXPECT_EQ(f.files->ReadWholeFile(In("data.bin")), small);
    ASSERT_TRUE(f.files->WriteWholeFile(In("empty.bin"), Bytes{}));
    EXPECT_EQ(f.files->ReadWholeFile(In("empty.bin")), Bytes{});
    EXPECT_EQ(f.list(f.scratch), (std::vector<std::string>{"data.bin", "empty.bin"}));
}

TEST_P(SystemFilesContract, ADirectoryExistsAndIsNeverWrittenOver) {
    f.makeDirectory(In("devcon.exe"));
    EXPECT_TRUE(f.files->Exists(In("devcon.exe")));
    EXPECT_FALSE(f.files->WriteWholeFile(In("devcon.exe"), Bytes{1, 2}));
    EXPECT_TRUE(f.files->Exists(In("devcon.exe")));
    EXPECT_EQ(f.files->ReadWholeFile(In("devcon.exe")), std::nullopt);
    EXPECT_EQ(f.list(f.scratch), std::vector<std::string>{"devcon.exe"});
}

TEST_P(SystemFilesContract, AFileInAMissingDirectoryIsNotWritten) {
    EXPECT_FALSE(f.files->WriteWholeFile(In("missing\\devcon.exe"), Bytes{1}));
    EXPECT_FALSE(f.files->Exists(In("missing\\devcon.exe")));
    EXPECT_FALSE(f.files->Exists(In("missing")));
    EXPECT_TRUE(f.list(f.scratch).empty());
}

TEST_P(SystemFilesContract, AnyBytesAndNamesReadBackWhole) {
    Bytes large(300000);
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<std::uint8_t>(i * 7);
    }
    struct Case {
        const char* file;
        Bytes bytes;
    };
    const Case cases[] = {
        {"ipset.ini", {'[', 0xC5, 0xE4, 0xD6, 0xC3, ']', '\r', '\n'}},
        {"bytes.bin", {0x00, 0xFF, '\r', '\n', 0x81}},
        {"large.bin", large},
        {"配置文件.ini", {'x'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(f.files->WriteWholeFile(In(c.file), c.bytes));
        EXPECT_EQ(f.files->ReadWholeFile(In(c.file)), c.bytes);
    }
}

TEST_P(SystemFilesContract, NothingIsReadWithoutAFile) {
    f.makeDirectory(In("sub"));
    EXPECT_EQ(f.files->ReadWholeFile(In("missing.ini")), std::nullopt);
    EXPECT_EQ(f.files->ReadWholeFile(In("sub")), std::nullopt);
    EXPECT_EQ(f.files->ReadWholeFile(In("nodir\\x.ini")), std::nullopt);
}

TEST_P(SystemFilesContract, TheSystemAndProgramDirectoriesExist) {
    const std::string system = f.files->SystemDirectory();
    const std::string program = f.files->ProgramDirectory();
    ASSERT_FALSE(system.empty());
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(f.files->Exists(system));
    EXPECT_TRUE(f.files->Exists(program));
    EXPECT_FALSE(program.ends_with('\\'));
}

INSTANTIATE_TEST_SUITE_P(Backends, SystemFilesContract, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace netquill
