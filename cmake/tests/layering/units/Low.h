// A unit that reaches up into the engine.
#include "engine/High.h"
