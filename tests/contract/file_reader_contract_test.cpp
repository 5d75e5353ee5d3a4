// Whole files written through SystemFiles read back through FileReader, the pairing the café
// template relies on: in memory everywhere and, in the Windows build, on the real disk.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/file_reader.h"
#include "core/memory_file_reader.h"
#include "core/memory_system_files.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/real_file_reader.h"
#include "platform/win32/real_system_files.h"
#include "platform/win32/wide_text.h"
#endif

namespace netquill {
namespace {

// A directory to work in, its files and a reader of them; gone with the object.
struct Folder {
    virtual ~Folder() = default;
    virtual std::string Path() const = 0;
    virtual SystemFiles& Files() = 0;
    virtual const FileReader& Reader() const = 0;
    virtual void AddDirectory(const std::string& path) = 0;
};

struct Backend {
    std::string name;
    std::function<std::unique_ptr<Folder>()> makeFolder;
};

void PrintTo(const Backend& backend, std::ostream* out) {
    *out << backend.name;
}

class MemoryFolder final : public Folder {
  public:
    std::string Path() const override { return "C:\\work"; }
    SystemFiles& Files() override { return files_; }
    const FileReader& Reader() const override { return reader_; }
    void AddDirectory(const std::string& path) override { files_.AddDirectory(path); }

  private:
    MemorySystemFiles files_{"C:\\windows\\system32", "C:\\work"};
    MemoryFileReader reader_{files_};
};

#ifdef _WIN32
class DiskFolder final : public Folder {
  public:
    DiskFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"netquill-files-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~DiskFolder() override {
        // Everything the cases leave is one level deep.
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring entry = path_ + L"\\" + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(entry.c_str());
                } else {
                    DeleteFileW(entry.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::string Path() const override { return FromWide(path_); }
    SystemFiles& Files() override { return files_; }
    const FileReader& Reader() const override { return reader_; }
    void AddDirectory(const std::string& path) override {
        CreateDirectoryW(ToWide(path).c_str(), nullptr);
    }

  private:
    std::wstring path_;
    RealSystemFiles files_;
    RealFileReader reader_;
};
#endif

std::vector<Backend> Backends() {
    std::vector<Backend> backends{{"Memory", [] { return std::make_unique<MemoryFolder>(); }}};
#ifdef _WIN32
    backends.push_back({"Win32", [] { return std::make_unique<DiskFolder>(); }});
#endif
    return backends;
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

class FileReaderContract : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override { folder_ = GetParam().makeFolder(); }
    std::string In(std::string_view name) const {
        return folder_->Path() + "\\" + std::string(name);
    }

    std::unique_ptr<Folder> folder_;
};

TEST_P(FileReaderContract, WrittenFilesReadBackWhole) {
    std::string large(300000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 7);
    }
    struct Case {
        const char* name;
        std::string file;
        std::string bytes;
    };
    const Case cases[] = {
        {"Empty", "empty.ini", ""},
        {"Text", "ipset.ini", "[配置]\r\n机器=User\r\n"},
        {"AnyByte", "bytes.bin", std::string("\0\xFF\r\n\x81", 5)},
        {"Large", "large.bin", large},
        {"ChineseName", "配置文件.ini", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = In(c.file);
        ASSERT_TRUE(folder_->Files().WriteWholeFile(path, Bytes(c.bytes)));
        EXPECT_EQ(folder_->Reader().ReadWholeFile(path), Bytes(c.bytes));
    }
    // Replacing gives the new bytes only.
    ASSERT_TRUE(folder_->Files().WriteWholeFile(In("ipset.ini"), Bytes("ab")));
    EXPECT_EQ(folder_->Reader().ReadWholeFile(In("ipset.ini")), Bytes("ab"));
}

TEST_P(FileReaderContract, NothingWithoutAFile) {
    folder_->AddDirectory(In("sub"));
    EXPECT_EQ(folder_->Reader().ReadWholeFile(In("missing.ini")), std::nullopt);
    EXPECT_EQ(folder_->Reader().ReadWholeFile(In("sub")), std::nullopt);
    EXPECT_EQ(folder_->Reader().ReadWholeFile(In("nodir\\x.ini")), std::nullopt);
    EXPECT_TRUE(folder_->Files().Exists(In("sub")));
}

INSTANTIATE_TEST_SUITE_P(Backends, FileReaderContract, ::testing::ValuesIn(Backends()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace netquill
