// Path joining and the two existence tests every part of the launcher uses.
#pragma once

#include <string>

namespace yorv {

// Paths are built by joining with a backslash and nothing else.
inline std::string JoinPath(const std::string& dir, const std::string& name)
{
    return dir + "\\" + name;
}

// The name is found and is not a directory.
bool FileExists(const std::string& path);

// The attributes can be read and carry the directory attribute.
bool DirectoryExists(const std::string& path);

}  // namespace yorv
