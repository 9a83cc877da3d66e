// Built against the link layer only: the layers it links are there.
#include "core/texts.h"
#include "link/link.h"
