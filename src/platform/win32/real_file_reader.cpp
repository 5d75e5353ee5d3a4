#include "platform/win32/real_file_reader.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace netquill {

std::optional<std::vector<std::uint8_t>> RealFileReader::ReadWholeFile(
    std::string_view path) const {
    // Sharing read and write access lets the file be read while another program has it open.
    const HANDLE file =
        CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> result;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<std::uint64_t>(size.QuadPart) <= kLargestFile) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        DWORD read = 0;
        while (done < bytes.size() &&
               ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                        nullptr) &&
               read > 0) {
            done += read;
        }
        if (done == bytes.size()) {
            result = std::move(bytes);
        }
    }
    CloseHandle(file);
    return result;
}

}  // namespace netquill
