// The standard message boxes of the program and its standard error report.
#pragma once

#include <windows.h>

#include <string>

namespace yorv {

// A standard message box owned by the application window. While it is up,
// every other window of the program is disabled; afterwards they are enabled
// again and the window that was active is activated again.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

// The standard error report: the application's title as caption, the stop
// icon, the message with a full stop where it needs one.
void ShowErrorReport(const std::string& message);

}  // namespace yorv
