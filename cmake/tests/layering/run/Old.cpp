#include "misc/Thing.h"
