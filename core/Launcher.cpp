#include "Launcher.h"

#include "FileSystem.h"

#include <shellapi.h>

namespace yorv {

namespace {

std::string LaunchErrorText(const std::string& program, unsigned code)
{
    return "Could not start " + program + ".\r\n\r\n" + ShellErrorReason(code);
}

}  // namespace

LaunchError::LaunchError(std::string program, unsigned code)
    : AppError(LaunchErrorText(program, code)), program_(std::move(program)), code_(code)
{
}

std::string LaunchError::Reason() const
{
    return ShellErrorReason(code_);
}

std::string ShellErrorReason(unsigned code)
{
    switch (code) {
    case 0: return "The system is out of memory or resources.";
    case ERROR_FILE_NOT_FOUND: return "The file was not found.";
    case ERROR_PATH_NOT_FOUND: return "The folder was not found.";
    case ERROR_BAD_FORMAT: return "The file is not a program that Windows can run.";
    case SE_ERR_ACCESSDENIED: return "Access to the file was denied.";
    case SE_ERR_OOM: return "There is not enough memory to start the program.";
    case SE_ERR_SHARE: return "The file is in use by another program.";
    case SE_ERR_ASSOCINCOMPLETE: return "The file's association with a program is incomplete.";
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return "The shell could not pass the request on to the program.";
    case SE_ERR_NOASSOC: return "No program is associated with this kind of file.";
    case SE_ERR_DLLNOTFOUND: return "A library that the program needs was not found.";
    default: return "The shell reported error " + std::to_string(code) + ".";
    }
}

void RunProgram(HWND owner, const std::string& file, const std::string& parameters, const std::string& directory,
                int showCommand)
{
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, file.c_str(), parameters.c_str(), directory.c_str(),
                                             showCommand);
    const auto code = reinterpret_cast<INT_PTR>(result);
    if (code <= 32)
        throw LaunchError(JoinPath(directory, file), static_cast<unsigned>(code));
}

}  // namespace yorv
