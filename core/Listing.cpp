#include "core/Listing.h"

#include "core/FileSystem.h"

namespace yorv {

DirectoryListing::DirectoryListing(const std::string& dir)
    : find_(::FindFirstFileA(JoinPath(dir, "*.*").c_str(), &found_)), pending_(static_cast<bool>(find_))
{
}

bool DirectoryListing::Next(DirectoryEntry& entry)
{
    while (pending_) {
        const bool dot = IsDotEntry(found_.cFileName);
        if (!dot)
            entry = {found_.cFileName, found_.dwFileAttributes, found_.dwReserved0};
        pending_ = ::FindNextFileA(find_.Get(), &found_) != FALSE;
        if (!dot)
            return true;
    }
    return false;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& dir)
{
    std::vector<DirectoryEntry> entries;
    DirectoryListing listing(dir);
    for (DirectoryEntry entry; listing.Next(entry);)
        entries.push_back(std::move(entry));
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
