#include "doctest.h"
