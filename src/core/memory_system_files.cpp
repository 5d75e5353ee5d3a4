#include "core/memory_system_files.h"

#include "core/text.h"

namespace netquill {
namespace {

// "C:\dir\" and "C:\dir" name the same entry.
std::string_view WithoutTrailingBackslash(std::string_view path) {
    const std::size_t last = FindLastCharacter(path, '\\');
    if (!path.empty() && last == path.size() - 1) {
        path.remove_suffix(1);
    }
    return path;
}

// The directory part of a path; empty for a name alone (the current directory).
std::string_view DirectoryOf(std::string_view path) {
    const std::size_t last = FindLastCharacter(path, '\\');
    return last == std::string_view::npos ? std::string_view() : path.substr(0, last);
}

}  // namespace

bool MemorySystemFiles::NameLess::operator()(std::string_view a, std::string_view b) const {
    return LessIgnoringCase(a, b);
}

MemorySystemFiles::MemorySystemFiles(std::string systemDirectory, std::string programDirectory)
    : systemDirectory_(std::move(systemDirectory)), programDirectory_(std::move(programDirectory)) {
    if (!systemDirectory_.empty()) {
        AddDirectory(systemDirectory_);
    }
    AddDirectory(programDirectory_);
}

bool MemorySystemFiles::Exists(std::string_view path) const {
    return entries_.contains(WithoutTrailingBackslash(path));
}

bool MemorySystemFiles::WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes) {
    const std::string_view name = WithoutTrailingBackslash(path);
    if (!writable_ || name.size() != path.size() || name.empty()) {
        return false;
    }
    const std::string_view directory = DirectoryOf(name);
    if (!directory.empty()) {
        const auto parent = entries_.find(directory);
        if (parent == entries_.end() || parent->second.has_value()) {
            return false;
        }
    }
    const auto found = entries_.find(name);
    if (found != entries_.end() && !found->second.has_value()) {
        return false;
    }
    entries_.insert_or_assign(std::string(name),
                              std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    return true;
}

void MemorySystemFiles::AddDirectory(std::string_view path) {
    entries_.insert_or_assign(std::string(WithoutTrailingBackslash(path)), std::nullopt);
}

std::optional<std::vector<std::uint8_t>> MemorySystemFiles::ReadWholeFile(
    std::string_view path) const {
    const auto found = entries_.find(WithoutTrailingBackslash(path));
    return found == entries_.end() ? std::nullopt : found->second;
}

std::vector<std::string> MemorySystemFiles::List(std::string_view directory) const {
    const std::string_view parent = WithoutTrailingBackslash(directory);
    std::vector<std::string> names;
    for (const auto& [path, entry] : entries_) {
        if (path.size() > parent.size() && EqualIgnoringCase(DirectoryOf(path), parent)) {
            names.push_back(path.substr(parent.size() + 1));
        }
    }
    return names;
}

}  // namespace netquill
