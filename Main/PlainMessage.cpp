#include "PlainMessage.h"
