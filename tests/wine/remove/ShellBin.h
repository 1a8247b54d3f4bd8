// The recycle bin as the shell shows it, through its folder (IShellFolder2),
// the view the launcher's own bin check reads: the same on Windows and under
// Wine, whose bin is the XDG trash of the user's home.
#pragma once

#include <string>
#include <vector>

namespace test {

// Where each item of the bin was deleted from: the folder the bin names and
// the item's name, joined; sorted, and an item the bin holds twice is there
// twice. The folder is given in its long form, as far as it still exists,
// with a capital drive letter. A bin the shell cannot read holds nothing.
std::vector<std::wstring> BinItems();

}  // namespace test
