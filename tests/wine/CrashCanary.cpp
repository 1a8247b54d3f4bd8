// The harness's own canary, run alone by its ctest entry, which expects it
// to fail: a fault inside one of the program's window procedures must end
// the test program and fail the test that meets it. The fault is raised
// where the system would swallow it (a window procedure called back from
// within SetWindowPos), so the program's own guard must make it heard.
// Were it ever swallowed or passed, this case would run to its end and
// pass, and the entry would show it.
#include "tests/wine/TestSupport.h"

#include "ui/Application.h"
#include "ui/Window.h"

#include "tests/Printable.h"

namespace {

// Read at run time, so that the compiler cannot see the fault coming.
int* volatile nowhere = nullptr;

class FaultingWindow : public yorv::Window {
public:
    FaultingWindow()
    {
        RegisterWindowClass("TYorvFaultingWindow");
        CreateWin(0, "TYorvFaultingWindow", "Faulting", WS_OVERLAPPED, 0, 0, 200, 100, nullptr);
    }
    bool armed = false;
    volatile bool reached = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SIZE && armed) {
            reached = true;
            *nowhere = 1;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }
};

}  // namespace

TEST_SUITE("canary")
{
    TEST_CASE("a fault inside a window procedure ends the test program")
    {
        yorv::Application::Initialize(GetModuleHandleA(nullptr));
        FaultingWindow window;
        REQUIRE(window.Handle());
        window.armed = true;
        SetWindowPos(window.Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        test::Pump(100);
        CHECK(window.reached);  // only ever seen if the fault was swallowed
    }
}
