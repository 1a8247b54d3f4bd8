#include "ui/Faults.h"

#include <windows.h>

namespace yorv {

namespace {

bool IsFault(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: case EXCEPTION_ILLEGAL_INSTRUCTION: case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO: case EXCEPTION_INT_OVERFLOW: case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: case EXCEPTION_DATATYPE_MISALIGNMENT: case EXCEPTION_IN_PAGE_ERROR:
        return true;
    default:
        return false;
    }
}

// Seen before any handler: the program's own code never recovers from a
// fault, so one raised there is a fault of the program's, whoever would
// catch it. Faults in the system's code are left to the system, which
// handles some of them itself.
LONG CALLBACK EndOnOwnFault(EXCEPTION_POINTERS* info)
{
    const auto* image = reinterpret_cast<const unsigned char*>(::GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    const auto* at = static_cast<const unsigned char*>(info->ExceptionRecord->ExceptionAddress);
    if (IsFault(info->ExceptionRecord->ExceptionCode) && at >= image
        && at < image + headers->OptionalHeader.SizeOfImage) {
        ::UnhandledExceptionFilter(info);  // the system's report, or its debugger
        ::TerminateProcess(::GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void EndProgramOnOwnFaults()
{
    static const void* const handler = ::AddVectoredExceptionHandler(1, &EndOnOwnFault);
    (void)handler;
}

}  // namespace yorv
