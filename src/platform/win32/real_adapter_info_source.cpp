#include "platform/win32/real_adapter_info_source.h"

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace netquill {
namespace {

// The description comes in the machine's ANSI code page, which need not be 936.
std::string DescriptionFromAnsi(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return FromWide(wide);
}

}  // namespace

std::vector<SystemAdapter> RealAdapterInfoSource::ListSystemAdapters() const {
    ULONG size = 0;
    GetAdaptersInfo(nullptr, &size);
    if (size == 0) {
        return {};
    }
    // IP_ADAPTER_INFO needs its natural alignment; a vector of them provides it.
    std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
    size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
    if (GetAdaptersInfo(buffer.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<SystemAdapter> adapters;
    for (const IP_ADAPTER_INFO* info = buffer.data(); info != nullptr; info = info->Next) {
        SystemAdapter adapter;
        // The field is fixed-size; make sure the text ends inside it.
        char description[sizeof(info->Description) + 1] = {};
        std::copy_n(info->Description, sizeof(info->Description), description);
        adapter.description = DescriptionFromAnsi(description);
        std::copy_n(info->Address, std::min<std::size_t>(sizeof(info->Address), 8),
                    adapter.address.begin());
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

}  // namespace netquill
