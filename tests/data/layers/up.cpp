// Built against the link layer only: an include of the layer above must not compile.
#include "session/session.h"
