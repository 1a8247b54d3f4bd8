#include "core/CatalogueRules.h"
#include "core/CommandLine.h"
#include "core/Errors.h"
#include "core/Links.h"

#include <doctest.h>

TEST_CASE("the game's own directories are never YMods, in any case")
{
    for (const char* name : {"yorv", "YORV", "Yorv", "avi", "Avi", "source", "SoUrCe"})
        CHECK(yorv::IsExcludedYModName(name));
    for (const char* name : {"AVI2", "Sources", "yorv ", " avi", "src", "MyMod", "\xC0VI", "yorv.exe"})
        CHECK_FALSE(yorv::IsExcludedYModName(name));
    CHECK(yorv::IsDotEntry("."));
    CHECK(yorv::IsDotEntry(".."));
    CHECK_FALSE(yorv::IsDotEntry("..."));
    CHECK_FALSE(yorv::IsDotEntry(".mod"));
}

TEST_CASE("only names that lead to their own entry are plain names")
{
    for (const char16_t* name : {u"MyMod", u" lead", u"a.b", u"...a", u"\u00C4rger", u"\uFF0E\uFF3C", u"x~1"})
        CHECK(yorv::IsPlainEntryName(name));
    // Separators, drive or stream colons, wildcards and the other characters
    // Windows forbids; a trailing dot or blank, which it drops; no name.
    for (const char16_t* name : {u"m\\..", u"a/b", u"a:b", u"a*", u"a?", u"a\"b", u"a<b", u"a>b", u"a|b", u"a\tb",
                                 u"Twin.", u"...", u"mod ", u" ", u""})
        CHECK_FALSE(yorv::IsPlainEntryName(name));
    // Plain ASCII is judged alike without being converted.
    for (const char* name : {"MyMod", " lead", "a.b", "x~1"})
        CHECK(yorv::IsPlainEntryName(std::string_view(name)));
    for (const char* name : {"m\\..", "a/b", "a:b", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb", "Twin.", "mod ", ""})
        CHECK_FALSE(yorv::IsPlainEntryName(std::string_view(name)));
}

TEST_CASE("the list shows the title, cut long ones, or the directory name")
{
    CHECK(yorv::YModListText("Fen Raiders 1.2", false, "raiders") == "Fen Raiders 1.2");
    CHECK(yorv::YModListText("", false, "raiders") == "raiders");
    CHECK(yorv::YModListText("   ", false, "raiders") == "   ");
    CHECK(yorv::YModListText(std::string(1024, 'x'), true, "d") == std::string(1024, 'x') + "...");
    // A zero byte ends what the list can show: before any text, the title
    // would show as nothing, so the directory name stands in.
    using namespace std::string_literals;
    CHECK(yorv::YModListText("\0Fen Raiders"s, false, "raiders") == "raiders");
    CHECK(yorv::YModListText("Fen\0 Raiders"s, false, "raiders") == "Fen");
    CHECK(yorv::YModListText("Fen\0"s + std::string(300, 'x'), true, "raiders") == "Fen");
}

TEST_CASE("I/O errors carry their messages and the report adds a full stop where due")
{
    CHECK(yorv::IoError(2).what() == std::string("File not found"));
    CHECK(yorv::IoError(3).what() == std::string("Invalid filename"));
    CHECK(yorv::IoError(4).what() == std::string("Too many open files"));
    CHECK(yorv::IoError(5).what() == std::string("File access denied"));
    CHECK(yorv::IoError(100).what() == std::string("Read beyond end of file"));
    CHECK(yorv::IoError(101).what() == std::string("Disk full"));
    CHECK(yorv::IoError(106).what() == std::string("Invalid numeric input"));
    CHECK(yorv::IoError(32).what() == std::string("I/O error 32"));
    CHECK(yorv::IoError(32).Code() == 32);

    CHECK(yorv::ErrorReportText("File not found") == "File not found.");
    CHECK(yorv::ErrorReportText("Invalid data type for 'NoSound'") == "Invalid data type for 'NoSound'");
    CHECK(yorv::ErrorReportText("I/O error 32") == "I/O error 32.");
    CHECK(yorv::ErrorReportText("Done.") == "Done.");
    CHECK(yorv::ErrorReportText("Odd-") == "Odd-");   // '-' is below '.'
    CHECK(yorv::ErrorReportText("Odd/") == "Odd/.");  // '/' is above it
    CHECK(yorv::ErrorReportText("").empty());
    CHECK(yorv::FormatMessage1("Failed to set data for '%s'", "PrevYmod") == "Failed to set data for 'PrevYmod'");
}

TEST_CASE("the game's switches come in their fixed order with their blanks")
{
    CHECK(yorv::ComposeGameParameters(false, false, "").empty());
    CHECK(yorv::ComposeGameParameters(true, false, "") == "-nosound ");
    CHECK(yorv::ComposeGameParameters(false, true, "") == "-debug ");
    CHECK(yorv::ComposeGameParameters(false, false, "fen") == "-game fen");
    CHECK(yorv::ComposeGameParameters(true, true, "My Mod") == "-nosound -debug -game My Mod");
    CHECK(yorv::ComposeEditorParameters("My Mod") == "-game My Mod");
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
