#include "link/port.h"
