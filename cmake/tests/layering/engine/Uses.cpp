#include "graph/Plot.h"
#include "model/Wall.h"
// Library code never includes a test helper, even of its own floor.
#include "engine/tests/TestWall.h"
