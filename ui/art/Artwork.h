#pragma once
#include <QIcon>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;

// The program's illustrations: vector drawings compiled into the program,
// named after their file without the extension ("WallConfiguration",
// "ImagePressure", ...).

// Resource path of a named drawing: ":/art/<name>.svg".
QString ArtworkPath(const QString& name);
// True when the program has a drawing of that name.
bool HasArtwork(const QString& name);
// The natural size of a drawing in device-independent pixels; empty when there is none.
QSize ArtworkSize(const QString& name);
// Draws a drawing into a rectangle on any painter (screen, printer, image), keeping its aspect ratio.
void PaintArtwork(QPainter& painter, const QString& name, const QRectF& target);

// A toolbar or menu icon by name ("New", "Run", "Stage3", ...), drawn from its vector file so that it is sharp at every size; a null icon for an unknown name.
// The names: New, Open, Save, Run, StageOptions, OutputText, SoilProfile, PyCurves, Deflection, Moment, Shear,
// SoilReaction, DeflectionMomentShear, Pressure, Stage (no number) and Stage1 to Stage5.
QIcon ArtworkIcon(const QString& name);

// Shows one drawing at its natural size, drawn as vectors so that it is sharp at any screen scale.
class TArtView : public QWidget {
    Q_OBJECT
public:
    explicit TArtView(const QString& name = QString(), QWidget* parent = nullptr);
    // Shows another drawing; an unknown or empty name shows nothing and sizes to 0 x 0.
    void SetArtwork(const QString& name);
    // The name of the drawing shown.
    QString Artwork() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString artworkName;
};
