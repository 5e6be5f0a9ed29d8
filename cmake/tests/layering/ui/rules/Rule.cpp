#include "run/Results.h"
// The window rules know no window.
#include "ui/MainForm.h"
