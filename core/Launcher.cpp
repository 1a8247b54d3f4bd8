#include "core/Launcher.h"

#include "core/FileSystem.h"
#include "core/Handle.h"

#include <shellapi.h>

namespace yorv {

namespace {

// Whether the shell would read `text` as naming environment variables: it
// expands them in the file and the folder it is handed, so that a folder
// named "Yorv%FEN%" would be taken for another place.
bool ShellWouldExpand(const std::string& text)
{
    if (text.find('%') == std::string::npos)
        return false;
    const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0)
        return true;
    std::string expanded(needed, '\0');
    if (::ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed) == 0)
        return true;
    return expanded.c_str() != text;
}

// The shell's code, as RunProgram reports it, for why the system could not
// start a program.
unsigned ShellCodeFor(DWORD error)
{
    switch (error) {
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH: return ERROR_BAD_FORMAT;
    case ERROR_SHARING_VIOLATION: return SE_ERR_SHARE;
    case ERROR_MOD_NOT_FOUND:
    case ERROR_DLL_NOT_FOUND: return SE_ERR_DLLNOTFOUND;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return SE_ERR_OOM;
    default: return error;  // not found, path not found, access denied: the same codes
    }
}

// Starts `directory`\`file` itself, as the shell starts a program, for
// names the shell would read as something else.
void StartProgram(const std::string& file, const std::string& parameters, const std::string& directory,
                  int showCommand)
{
    const std::string program = JoinPath(directory, file);
    std::string commandLine = "\"" + program + "\" " + parameters;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.c_str(), &startup, &started))
        throw LaunchError(program, ShellCodeFor(::GetLastError()));
    const UniqueProcess thread(started.hThread);
    const UniqueProcess process(started.hProcess);
}

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
    default: return "Windows reported error " + std::to_string(code) + ".";
    }
}

void RunProgram(HWND owner, const std::string& file, const std::string& parameters, const std::string& directory,
                int showCommand)
{
    if (ShellWouldExpand(directory) || ShellWouldExpand(file))
        return StartProgram(file, parameters, directory, showCommand);
    // Paths are built as the folder, a backslash and the name, so an empty
    // folder is the current drive's root; to the shell it would be the
    // current directory, with another program of the same name in it.
    const std::string folder = directory.empty() ? std::string("\\") : directory;
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, file.c_str(), parameters.c_str(), folder.c_str(),
                                             showCommand);
    const auto code = reinterpret_cast<INT_PTR>(result);
    if (code <= 32)
        throw LaunchError(JoinPath(directory, file), static_cast<unsigned>(code));
}

}  // namespace yorv
