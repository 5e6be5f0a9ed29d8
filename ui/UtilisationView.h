#pragma once
#include "graph/GraphPlot.h"

#include <QWidget>

namespace checks {
struct DesignCheckReport;
}

// The utilisation of the section against depth, drawn by the program's graph
// painter from the graph the checks fill; the window only holds and paints it.
class TUtilisationView : public QWidget {
public:
    explicit TUtilisationView(QWidget* parent);

    // Shows the utilisations of `report`.
    void SetReport(const checks::DesignCheckReport& report);
    // The graph as drawn.
    const TGraphPlot& Graph() const { return graph_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TGraphPlot graph_;
};
