#include "tests/win/support/support.h"
