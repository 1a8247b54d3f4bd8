#include "Removal.h"
