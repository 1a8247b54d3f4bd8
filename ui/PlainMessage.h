// The plain message dialog: centred, the application's title as caption,
// no icon, one OK button that answers Enter and Esc.
#pragma once

#include <string>

namespace yorv {

// Shows `text`, wrapped at half the screen's width, and waits for OK. Owned
// by the application window like the message boxes; every other window of
// the program on screen is disabled while it is up.
void ShowPlainMessage(const std::string& text);

}  // namespace yorv
