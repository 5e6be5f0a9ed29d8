// Tables and the graph painter lie side by side: neither includes the other.
#include "graph/Plot.h"
