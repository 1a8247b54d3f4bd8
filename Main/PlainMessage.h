// The plain message dialog: centred, the application's title as caption,
// no icon, one OK button that answers Enter and Esc.
#pragma once
