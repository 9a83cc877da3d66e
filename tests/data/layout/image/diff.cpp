#include "core/texts.h"
#include "fuses/fuseeditor.h"
