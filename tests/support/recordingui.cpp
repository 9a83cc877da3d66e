#include "recordingui.h"
