#include "core/CatalogueRules.h"
#include "core/CommandLine.h"
#include "core/Errors.h"

#include "tests/Printable.h"

TEST_CASE("the game's own directories are never YMods, in any case")
{
    for (const char* name : {"yorv", "YORV", "Yorv", "avi", "Avi", "source", "SoUrCe"})
        CHECK(yorv::IsExcludedYModName(name));
    for (const char* name : {"AVI2", "Sources", "yorv ", " avi", "src", "MyMod", "\xC0VI", "yorv.exe"})
        CHECK_FALSE(yorv::IsExcludedYModName(name));
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
