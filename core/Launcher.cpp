#include "Launcher.h"
