#pragma once
#include "ui/rules/ProfileGeometry.h"

#include <QColor>
#include <QIcon>
#include <QWidget>

class TWallDocument;
class Prompt;
class QLabel;
class QMdiArea;
class QPainter;
class QPrinter;
class QPushButton;

// The colours of one rendering of the profile.
struct TProfileColors {
    QColor Background;  // invalid: the background is left as it is
    QColor Ink;
    QColor Water;
    QColor Paper;  // the inside of the top view and its piles
    bool SoilTints = false;  // soil layers tinted by type (screen and saved pictures)
};

// The wall and soil profile view "Side View": a child window of the main
// window that sketches the wall, the soil layers and the marks of restraints,
// p-y curves and springs from the open wall, re-read every time the window
// becomes active. It shows the depth under the pointer in its title, prints
// the sketch and saves it as PNG, SVG or PDF.
class TDlgSideView : public QWidget {
    Q_OBJECT
public:
    // A view of the wall of `document`; `prompt` answers its file dialog and messages.
    TDlgSideView(TWallDocument& document, Prompt& prompt, QWidget* parent = nullptr);

    // The narrowest view worth showing beside another window.
    static constexpr int MinimumWidth = 240;

    // The icon of the command that opens the view: a wall between two ground levels.
    static QIcon ToolIcon();
    // Shows the profile view in `area`: creates it when none is open, else
    // activates the open one; either way it is re-read from the wall.
    static TDlgSideView* Open(QMdiArea& area, TWallDocument& document, Prompt& prompt);
    // The profile view open in `area`, or null.
    static TDlgSideView* Find(const QMdiArea& area);

    // Re-reads the wall and its tables, sets the world window and repaints.
    void FormActivate();

    // What is drawn, and the world and view windows now in force.
    const TProfileScene& Scene() const { return scene_; }
    const TWorldWindow& World() const { return world_; }
    TWorldWindow View() const;
    QSize DrawingSize() const;  // the widget less the band of its buttons

    // The one drawing routine of the screen, the printer and the saved pictures:
    // `items` on `painter` with `font`, in `colors`.
    static void Render(QPainter& painter, const std::vector<TProfileItem>& items, const QFont& font,
                       const TProfileColors& colors);

    // Sets a printer up as the Print command does: landscape, job "Soil-Pile Profile".
    static void SetUpPrinter(QPrinter& printer);
    // Prints the sketch on one page of `printer`, black on white. False when printing cannot start.
    bool PrintTo(QPrinter& printer);
    // Writes the sketch, at the window's size and proportions, to `path` as
    // .png, .svg or .pdf (by its extension). False and `error` when it cannot.
    bool SaveImage(const QString& path, QString* error);

    QPushButton* PrintButton() const { return print_; }
    QPushButton* SaveButton() const { return save_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PrintClick();
    void SaveClick();
    // The drawing on a device of `pixels` size with `scale` device pixels per screen pixel.
    std::vector<TProfileItem> Layout(QPainter& painter, const QFont& font, QSize pixels, double scale, bool page) const;

    TWallDocument& document_;
    Prompt& prompt_;
    TProfileScene scene_;
    TWorldWindow world_;
    QLabel* label_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* save_ = nullptr;
};
