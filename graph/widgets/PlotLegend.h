#pragma once
#include <QListWidget>

class QLabel;

#include <functional>

// The graph window's legend: an owner-drawn list of the active curves, each in
// its curve colour with " *" after a visible curve. The user drags it about
// the window; a double-click toggles the curve under the pointer.
class PlotLegend : public QListWidget {
    Q_OBJECT
public:
    explicit PlotLegend(QWidget* parent);

    // Item role holding the panel-1 index of the entry's curve.
    static constexpr int CurveRole = Qt::UserRole;
    // Item role telling whether the entry's curve is visible.
    static constexpr int VisibleRole = Qt::UserRole + 1;

    // Item height in pixels.
    int ItemHeight() const { return itemHeight_; }
    // Sets the legend font (point size) and the item height.
    void SetFontSize(int points, int itemHeight);
    // Height entries x item height + 3; width reset to `startWidth` and widened
    // to each entry's text with " *" plus `margin`.
    void FitSize(int startWidth, int margin);
    // Keeps the legend inside its parent's client area.
    void KeepInside();
    // The line that says what " *" means, shown with the legend just above
    // it (below it where the window has no room above).
    QLabel* Key() const { return key_; }

signals:
    // The user double-clicked the entry at `row`.
    void EntryToggled(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int itemHeight_ = 16;
    bool dragging_ = false;
    QPoint grab_;
    QLabel* key_ = nullptr;
    void PlaceKey();
};
