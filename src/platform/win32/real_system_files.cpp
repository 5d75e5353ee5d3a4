#include "platform/win32/real_system_files.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

// Closes the file on every way out.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"\\/");
    return last == std::wstring::npos ? L"." : path.substr(0, last);
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

}  // namespace

std::string RealSystemFiles::SystemDirectory() const {
    std::wstring directory(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    if (length >= directory.size()) {  // too small: the length asked for counts the NUL
        directory.assign(length, L'\0');
        length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    }
    if (length == 0 || length >= directory.size()) {
        return {};
    }
    directory.resize(length);
    return FromWide(directory);
}

std::string RealSystemFiles::ProgramDirectory() const {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
    const std::size_t last = path.find_last_of(L'\\');
    return last == std::wstring::npos ? std::string() : FromWide(path.substr(0, last));
}

bool RealSystemFiles::Exists(std::string_view path) const {
    const std::wstring wide = ToWide(path);
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        wide.find_first_of(L"*?") != std::wstring::npos) {
        return false;
    }
    // Attributes may be refused for an entry that is there (a file in use, for one); the
    // directory listing still names it.
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

bool RealSystemFiles::WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) {
    const std::wstring target = ToWide(path);
    wchar_t temporary[MAX_PATH + 1];
    // Creates an empty file of a fresh name in the target's directory, so the final move is a
    // rename within one volume.
    if (!GetTempFileNameW(DirectoryOf(target).c_str(), L"nq", 0, temporary)) {
        return false;
    }
    FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    const bool complete =
        file.Valid() && WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) &&
        file.Close() &&
        MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!complete) {
        file.Close();
        DeleteFileW(temporary);
    }
    return complete;
}

std::optional<std::vector<std::uint8_t>> RealSystemFiles::ReadWholeFile(
    std::string_view path) const {
    // Sharing read and write access lets the file be read while another program has it open.
    FileHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kLargestFile) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    DWORD read = 0;
    while (done < bytes.size() &&
           ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                    nullptr) &&
           read > 0) {
        done += read;
    }
    if (done != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace netquill
