// A fault in the program's own code ends the program at once, as an
// unhandled fault does, with the system's report of it.
#pragma once

namespace yorv {

// Once per process. Without it, a fault inside a window procedure that the
// system calls from within one of its own calls (creating, sizing, painting
// or activating a window) is swallowed on 64-bit Windows and under Wine:
// the program goes on in whatever state the fault left it.
void EndProgramOnOwnFaults();

}  // namespace yorv
