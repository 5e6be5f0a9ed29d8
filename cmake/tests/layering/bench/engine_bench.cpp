#include "engine/tests/TestWall.h"
#include "ui/MainForm.h"
