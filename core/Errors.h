// Errors raised by the launcher core. Each carries the text that the
// standard error report shows to the player.
#pragma once

#include <stdexcept>
#include <string>

namespace yorv {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be opened or read; carries the system error code.
class IoError : public AppError {
public:
    explicit IoError(unsigned long code);
    unsigned long Code() const noexcept { return code_; }

private:
    unsigned long code_;
};

// "File not found", "File access denied", ... or "I/O error <code>".
std::string IoErrorMessage(unsigned long code);

// The text of the standard error report: a full stop is added when the
// message ends in a character above '.', so "File not found" reads as a
// sentence while "Invalid data type for 'X'" stays as it is.
std::string ErrorReportText(const std::string& message);

// printf-style "%s" substitution for the fixed message patterns.
std::string FormatMessage1(const char* pattern, const std::string& arg);

}  // namespace yorv
