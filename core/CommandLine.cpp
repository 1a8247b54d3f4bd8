#include "core/CommandLine.h"

namespace yorv {

std::string ComposeGameParameters(bool noSound, bool logFile, const std::string& ymodDir)
{
    std::string parameters;
    if (noSound)
        parameters = "-nosound ";
    if (logFile)
        parameters += "-debug ";
    if (!ymodDir.empty())
        parameters += "-game " + ymodDir;
    return parameters;
}

std::string ComposeEditorParameters(const std::string& ymodDir)
{
    return "-game " + ymodDir;
}

}  // namespace yorv
