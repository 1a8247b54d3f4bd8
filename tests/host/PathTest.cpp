#include "core/Path.h"
#include "tests/host/PathTestSupport.h"

#include "tests/Printable.h"

TEST_CASE("paths are joined with a backslash and split at their last separator, never inside a character")
{
    struct Split {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* name;
    };
    const Split splits[] = {
        {L"C:\\Games\\Yorv\\Mod", L"C:\\Games\\Yorv", L"Mod"},
        {L"C:\\Mod", L"C:\\", L"Mod"},  // a drive's root keeps its backslash
        {L"\\Mod", L"\\", L"Mod"},
        {L"Mod", L".", L"Mod"},
        {L"a/b", L"a", L"b"},
        {L"C:\\Games\\", L"C:\\Games", L""},
        {L"C:\\\u30BD\\Mod", L"C:\\\u30BD", L"Mod"},  // "so", whose code page 932 form ends in a backslash's byte
        {L"C:\\Games\\\u8868", L"C:\\Games", L"\u8868"},
    };
    for (const Split& split : splits) {
        CAPTURE(std::string(split.path, split.path + std::wstring_view(split.path).size()));
        const yorv::PathParts parts = yorv::SplitPath(split.path);
        CHECK((parts.folder == split.folder));
        CHECK((parts.name == split.name));
    }
    CHECK(yorv::JoinPath("C:\\Games", "Mod") == "C:\\Games\\Mod");
    CHECK(yorv::JoinPath("", "Mod") == "\\Mod");
    CHECK((yorv::JoinPath(L"C:\\Games", L"Mod") == L"C:\\Games\\Mod"));

    // A text cut inside a double-byte character loses the half character.
    struct Cut {
        const char* text;
        const char* kept;
    };
    for (const Cut& cut : {Cut{"ab\x83", "ab"}, Cut{"ab\x83\x5C", "ab\x83\x5C"}, Cut{"\x83\x5C\x83", "\x83\x5C"},
                           Cut{"\x5C\x83\x83", "\x5C\x83\x83"}, Cut{"", ""}}) {
        std::string text = cut.text;
        yorv::DropSplitCharacter(text, Cp932Lead);
        CHECK(text == cut.kept);
    }

    CHECK(yorv::IsDotEntry("."));
    CHECK(yorv::IsDotEntry(L".."));
    CHECK_FALSE(yorv::IsDotEntry("..."));
    CHECK_FALSE(yorv::IsDotEntry(".mod"));
}

TEST_CASE("which names are plain, leading to their own entry, and which Win32 keeps for devices, in any case and extension")
{
    for (const wchar_t* name : {L"MyMod", L" lead", L"a.b", L"...a", L"\u00C4rger", L"\uFF0E\uFF3C", L"x~1"})
        CHECK(yorv::IsPlainEntryName(name));
    // Separators, drive or stream colons, wildcards and the other characters
    // Windows forbids; a trailing dot or blank, which it drops; no name.
    for (const wchar_t* name : {L"m\\..", L"a/b", L"a:b", L"a*", L"a?", L"a\"b", L"a<b", L"a>b", L"a|b", L"a\tb",
                                L"Twin.", L"...", L"mod ", L" ", L""})
        CHECK_FALSE(yorv::IsPlainEntryName(name));
    for (const wchar_t* name : {L"con", L"NUL.txt", L"aux.dat", L"Com1", L"lpt9.x.y", L"prn ", L"CON .txt", L"aux:s"})
        CHECK(yorv::IsDeviceName(name));
    for (const wchar_t* name : {L"console", L"com0", L"com10", L"lpt", L"xcon", L"a.con", L"nul~1", L""})
        CHECK_FALSE(yorv::IsDeviceName(name));
}

TEST_CASE("a path is an entry of a folder only as the folder, one separator and the entry's whole name")
{
    struct Inside {
        std::u16string_view path;
        std::u16string_view folder;
        std::u16string_view name;  // empty: no entry "Mod" of the folder
    };
    const Inside cases[] = {
        {u"\\\\?\\C:\\Games\\Mod", u"\\\\?\\C:\\Games", u"Mod"},
        {u"\\\\?\\C:\\games\\Mod", u"\\\\?\\C:\\GAMES", u"Mod"},  // the folder compared as names compare
        {u"\\\\?\\C:\\Mod", u"\\\\?\\C:\\", u"Mod"},             // a root ends in its separator
        {u"\\\\?\\C:\\Games\\a\\Mod", u"\\\\?\\C:\\Games", u"a\\Mod"},  // a Linux name may hold a backslash
        {u"\\\\?\\C:\\Games", u"\\\\?\\C:\\Games", u""},         // the folder itself
        {u"\\\\?\\C:\\", u"\\\\?\\C:\\Games", u""},              // its parent
        {u"\\\\?\\C:\\GamesOld\\Mod", u"\\\\?\\C:\\Games", u""}, // a sibling that shares its start
        {u"\\\\?\\C:\\GamesX", u"\\\\?\\C:\\Games", u""},
        {u"\\\\?\\C:\\Games\\Mod\\Sub", u"\\\\?\\C:\\Games", u""},  // deeper
        {u"\\\\?\\C:\\Games\\\\Mod", u"\\\\?\\C:\\Games", u""},
        {u"\\\\?\\C:\\Games\\", u"\\\\?\\C:\\Games", u""},
        {u"\\\\?\\D:\\Games\\Mod", u"\\\\?\\C:\\Games", u""},
        {u"Mod", u"", u""},
    };
    for (const Inside& c : cases) {
        CAPTURE(std::string(c.path.begin(), c.path.end()));
        CHECK(yorv::IsEntryPath(c.path, c.folder, c.name.empty() ? u"Mod" : c.name, SameIgnoringCase) == !c.name.empty());
    }
    // A folder as a view shows it, with marks of writing direction around it.
    CHECK(yorv::WithoutDirectionMarks<char16_t>(u"\u202A\u200EC:\\Games\u200F\\Mod\u202C\u202E")
          == u"C:\\Games\\Mod");
    CHECK(yorv::WithoutDirectionMarks<char16_t>(u"\u2029\u202F") == u"\u2029\u202F");
}

TEST_CASE("only links are kept from being entered or recycled; other reparse points are files and folders")
{
    constexpr std::uint32_t file = 0x20, folder = 0x10, reparse = 0x400;
    CHECK(yorv::IsLinkEntry(file | reparse, 0xA000000C));    // symbolic link to a file
    CHECK(yorv::IsLinkEntry(folder | reparse, 0xA000000C));  // symbolic link to a folder
    CHECK(yorv::IsLinkEntry(folder | reparse, 0xA0000003));  // junction or mount
    CHECK(yorv::IsLinkEntry(folder | reparse, 0));           // a Unix link as Wine lists it
    CHECK_FALSE(yorv::IsLinkEntry(file | reparse, 0x80000017));    // compressed by the system
    CHECK_FALSE(yorv::IsLinkEntry(file | reparse, 0x80000013));    // deduplicated
    CHECK_FALSE(yorv::IsLinkEntry(file | reparse, 0x9000001A));    // cloud file
    CHECK_FALSE(yorv::IsLinkEntry(folder | reparse, 0x9000701A));  // cloud folder
    CHECK_FALSE(yorv::IsLinkEntry(file, 0xA000000C));  // the tag means nothing without the attribute
    CHECK_FALSE(yorv::IsLinkEntry(folder, 0));
}
