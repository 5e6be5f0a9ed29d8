#include "graph/widgets/View.h"
#include "model/tests/SampleWalls.h"
#include "app/Main.h"
