#pragma once
#include "run/widgets/ReportPages.h"

#include <string>

class QPainter;
class QRectF;
class TGraphPlot;
class TProgramData;
class TResultGraphs;
class WallTables;

// The drawings of the calculation report: the result graphs, drawn as vectors
// by the graph windows' own routine, and the sketch of the wall and its soil
// by the profile view's.
namespace report {

// Draws `graph` into `rect` as a saved picture is drawn (with its legend box),
// its axes sized from the curves it shows.
void DrawGraph(QPainter& p, const QRectF& rect, const TGraphPlot& graph);

// The graphs of analysis `k`: deflection, moment and shear; soil reaction and
// earth pressure beside each other.
void StageGraphs(Pages& pages, TResultGraphs& graphs, int k);

// The sketch of `wall` as its profile view shows it (wall, soil layers, water
// tables, supports), `heightMm` high; nothing when it has no outline to draw.
void WallSketch(Pages& pages, const TProgramData& wall, const WallTables& tables, double heightMm);

}  // namespace report
