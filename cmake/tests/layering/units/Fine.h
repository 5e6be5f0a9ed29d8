#include "units/Other.h"
