#include "Main/Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return yorv::RunLauncher(instance);
}
