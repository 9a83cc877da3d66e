#pragma once
#include "link/frames.h"
  #  include "sim/simport.h"
#include <ports/portfactory.h>
