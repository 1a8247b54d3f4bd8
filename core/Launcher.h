// Starting the game and the editor through the shell.
#pragma once

#include "core/Errors.h"

#include <windows.h>

#include <string>

namespace yorv {

// The shell could not start a program. Carries the program, the shell's
// result code (32 or less) and the reason in plain words.
class LaunchError : public AppError {
public:
    LaunchError(std::string program, unsigned code);
    const std::string& Program() const noexcept { return program_; }
    unsigned Code() const noexcept { return code_; }
    std::string Reason() const;

private:
    std::string program_;
    unsigned code_;
};

// What a ShellExecute result of 32 or less means, as a sentence.
std::string ShellErrorReason(unsigned code);

// Hands `file`, `parameters` and `directory` to the shell, whole, with the
// default verb, and does not wait for the program. Raises LaunchError when
// the shell reports that it could not start it. Where the shell would read
// the file or the folder as naming environment variables ("%NAME%"), the
// program is started by the system directly, the same way, so that
// `directory`\`file` is the program that starts. An empty `directory` is
// the current drive's root, as every path built on it.
void RunProgram(HWND owner, const std::string& file, const std::string& parameters, const std::string& directory,
                int showCommand);

}  // namespace yorv
