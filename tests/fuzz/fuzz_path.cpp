// The path rules against arbitrary names: a joined path splits back into
// its parts; and a path is an entry of a folder only as the folder, one
// separator and the entry's whole name, never as the folder's parent, a
// deeper path or a sibling whose name only begins like the folder's.
#include "core/Path.h"
#include "tests/host/PathTestSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A few distinct characters, so that names often begin alike.
std::u16string SmallAlphabet(const std::string& raw)
{
    static const char16_t kAlphabet[] = u"aAb\\/.:\u00E4\u00C4";
    std::u16string text;
    for (const char c : raw)
        text += kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
    return text;
}

bool HasSeparator(std::u16string_view text)
{
    return text.find_first_of(u"\\/") != std::u16string_view::npos;
}

void CheckSplit(const std::u16string& dir16, const std::u16string& name16)
{
    const std::wstring dir(dir16.begin(), dir16.end());
    const std::wstring name(name16.begin(), name16.end());
    if (dir.empty() || yorv::IsSeparator(dir.back()) || dir.back() == L':' || name.empty() || HasSeparator(name16))
        return;  // no folder joined to, or more than one name
    const yorv::PathParts parts = yorv::SplitPath(yorv::JoinPath(dir, name));
    if (parts.folder != dir || parts.name != name)
        std::abort();
}

void CheckInside(const std::u16string& folder, const std::u16string& name, const std::u16string& more)
{
    const auto in = [&](const std::u16string& path) {
        return yorv::IsEntryPath<char16_t>(path, folder, name, SameIgnoringCase);
    };
    const bool rooted = !folder.empty() && yorv::IsSeparator(folder.back());
    const std::u16string entry = rooted ? folder + name : folder + u"\\" + name;
    // The folder, a separator and the name, whatever it holds: that entry.
    if (!folder.empty() && !name.empty() && !in(entry))
        std::abort();
    // The folder itself and every path it begins with: never.
    for (std::size_t cut = 0; cut <= folder.size(); ++cut) {
        if (in(folder.substr(0, cut)))
            std::abort();
    }
    // Deeper: never.
    if (in(entry + u"\\" + more))
        std::abort();
    // A sibling that begins like the folder: never.
    if (!rooted && !more.empty() && !yorv::IsSeparator(more.front()) && in(folder + more + u"\\" + name))
        std::abort();
    // Whatever is accepted is the folder, a separator and the name.
    const std::u16string any = more.substr(0, more.size() / 2) + name;
    const std::size_t start = folder.size() + (rooted ? 0 : 1);
    if (in(any)
        && (any.size() != start + name.size()
            || !SameIgnoringCase(std::u16string_view(any).substr(0, folder.size()), folder)
            || !yorv::IsSeparator(any[start - 1])))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string dir = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRandomLengthString(64);
    const std::string more = input.ConsumeRemainingBytesAsString();
    CheckSplit(SmallAlphabet(dir), SmallAlphabet(name));
    CheckInside(SmallAlphabet(dir), SmallAlphabet(name), SmallAlphabet(more));
    return 0;
}
