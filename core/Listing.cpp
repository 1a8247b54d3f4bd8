#include "core/Listing.h"

#include "core/FileSystem.h"
#include "core/Handle.h"

namespace yorv {

std::vector<DirectoryEntry> ListDirectory(const std::string& dir)
{
    std::vector<DirectoryEntry> entries;
    // Wine leaves the reparse tag unwritten: it reads as none, not as
    // whatever the entry before or the stack held.
    WIN32_FIND_DATAA found{};
    const UniqueFind find(::FindFirstFileA(JoinPath(dir, "*.*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileA(find.Get(), &found) != FALSE) {
        if (!IsDotEntry(found.cFileName))
            entries.push_back({found.cFileName, found.dwFileAttributes, found.dwReserved0});
        found.dwReserved0 = 0;
    }
    return entries;
}

RemovalStep StepFor(const DirectoryEntry& entry)
{
    if (!IsPlainName(entry.name))
        return RemovalStep::PassOver;
    if (entry.IsLink())
        return RemovalStep::RemoveLink;
    return entry.IsDirectory() ? RemovalStep::Enter : RemovalStep::Recycle;
}

}  // namespace yorv
