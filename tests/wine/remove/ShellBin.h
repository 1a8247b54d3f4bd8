// The recycle bin as the shell shows it, through its folder, as the
// launcher's bin check reads it, on Windows and under Wine alike.
#pragma once

#include <string>
#include <vector>

namespace test {

// Where each item of the bin was deleted from, the folder in its long form
// with a capital drive letter, sorted; a bin that cannot be read is empty.
std::vector<std::wstring> BinItems();

}  // namespace test
