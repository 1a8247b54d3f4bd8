// Play and Edit.
#include "Main.h"

namespace yorv {

void TFrmMain::CmdPlayClick() {}
void TFrmMain::CmdEditClick() {}

}  // namespace yorv
