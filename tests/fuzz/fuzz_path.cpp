// The path rules against arbitrary names: a joined path splits back into
// its parts; the second byte of a double-byte character is never taken for
// a separator; and a path counts as directly inside a folder only as the
// folder, one separator and one name, never as the folder's parent, a
// deeper path or a sibling whose name only begins like the folder's.
#include "core/Path.h"
#include "tests/host/PathTestSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// An ANSI text made of whole characters, with where the single-byte
// separators among them stand.
struct Text {
    std::string bytes;
    std::vector<std::size_t> separators;
};

Text MakeText(const std::string& raw, yorv::LeadByteTest lead)
{
    Text text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (lead(byte)) {
            if (i + 1 == raw.size())
                break;  // a lone lead byte is no whole character
            text.bytes += raw.substr(i++, 2);
            continue;
        }
        if (yorv::IsSeparator(raw[i]))
            text.separators.push_back(text.bytes.size());
        text.bytes += raw[i];
    }
    return text;
}


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

void CheckSplit(const std::string& rawDir, const std::string& rawName, yorv::LeadByteTest lead)
{
    const Text dir = MakeText(rawDir, lead);
    const Text name = MakeText(rawName, lead);
    if (!dir.separators.empty() && dir.separators.back() == dir.bytes.size() - 1)
        return;  // a folder that ends in a separator is no folder joined to
    if (dir.bytes.empty() || dir.bytes.back() == ':' || name.bytes.empty() || !name.separators.empty())
        return;
    const std::string joined = yorv::JoinPath(dir.bytes, name.bytes);
    const yorv::PathParts parts = yorv::SplitPath(joined, lead);
    if (parts.folder != dir.bytes || parts.name != name.bytes)
        std::abort();
    // The last separator is the last single-byte one, never a second byte.
    const std::size_t last = yorv::LastSeparator(dir.bytes, lead);
    if (last != (dir.separators.empty() ? std::string::npos : dir.separators.back()))
        std::abort();
}

void CheckInside(const std::u16string& folder, const std::u16string& name, const std::u16string& more)
{
    const auto in = [&](const std::u16string& path) {
        return yorv::EntryNameIn(std::u16string_view(path), std::u16string_view(folder), SameIgnoringCase);
    };
    const bool rooted = !folder.empty() && yorv::IsSeparator(folder.back());
    const std::u16string entry = rooted ? folder + name : folder + u"\\" + name;
    // The folder, a separator and one name: that name.
    if (!folder.empty() && !name.empty() && !HasSeparator(name) && in(entry) != name)
        std::abort();
    // The folder itself and every path it begins with: never.
    for (std::size_t cut = 0; cut <= folder.size(); ++cut) {
        if (!in(folder.substr(0, cut)).empty())
            std::abort();
    }
    // Deeper: never.
    if (!in(entry + u"\\" + more).empty())
        std::abort();
    // A sibling that begins like the folder: never.
    if (!rooted && !more.empty() && !yorv::IsSeparator(more.front()) && !in(folder + more + u"\\" + name).empty())
        std::abort();
    // Whatever is accepted is the folder, a separator and a name without one.
    const std::u16string any = more.substr(0, more.size() / 2) + name;
    const std::u16string_view got = in(any);
    const std::size_t start = folder.size() + (rooted ? 0 : 1);
    if (!got.empty()
        && (HasSeparator(got) || any.size() != start + got.size()
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
    CheckSplit(dir, name, Cp932Lead);
    CheckSplit(dir, name, yorv::NoLeadBytes);
    CheckInside(SmallAlphabet(dir), SmallAlphabet(name), SmallAlphabet(more));
    return 0;
}
