// Removing a YMod's directory tree: files to the recycle bin, directories
// deleted depth first.
#pragma once
