#define DOCTEST_CONFIG_IMPLEMENT
#include "tests/Printable.h"
#include "tests/wine/TestSupport.h"

int main(int argc, char** argv)
{
    // On Windows a faulting test program ends with no window of the system's
    // waiting for a click (under Wine the prefix sees to that, and Wine's
    // debugger prints the backtrace into the test's log).
    if (!test::UnderWine())
        SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    doctest::Context context(argc, argv);
    return context.run();
}
