// Removing the selected YMod.
#include "Main.h"

namespace yorv {

void TFrmMain::CmdRemoveClick() {}

}  // namespace yorv
