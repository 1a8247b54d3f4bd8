#include "core/Listing.h"

#include "core/Handle.h"

namespace yorv {

namespace {

// The entries that match `pattern`, "." and ".." passed over. Wine leaves
// the reparse tag unwritten: it reads as none, not as whatever the entry
// before or the stack held.
std::vector<DirectoryEntry<wchar_t>> Matches(const std::wstring& pattern)
{
    WIN32_FIND_DATAW found{};
    std::vector<DirectoryEntry<wchar_t>> entries;
    const UniqueFind find(::FindFirstFileW(pattern.c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.Get(), &found) != FALSE) {
        if (!IsDotEntry(std::wstring_view(found.cFileName)))
            entries.push_back({found.cFileName, found.dwFileAttributes, found.dwReserved0, found.cAlternateFileName});
        found.dwReserved0 = 0;
    }
    return entries;
}

}  // namespace

std::vector<DirectoryEntry<wchar_t>> ListDirectory(const std::wstring& dir)
{
    return Matches(JoinPath(dir, L"*.*"));
}

std::optional<DirectoryEntry<wchar_t>> FindEntry(const std::wstring& path)
{
    std::vector<DirectoryEntry<wchar_t>> found = Matches(path);
    return found.empty() ? std::nullopt : std::optional(std::move(found.front()));
}

}  // namespace yorv
