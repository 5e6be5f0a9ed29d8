#pragma once
// The engine's tests build their walls as the verification does.
#include "verify/WallBuilder.h"

using TestWall = WallBuilder;
