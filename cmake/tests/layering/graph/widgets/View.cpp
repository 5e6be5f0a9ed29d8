// A widgets folder is on the floor of the windows.
#include "ui/rules/Rule.h"
