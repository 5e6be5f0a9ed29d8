#pragma once
#include <QString>

class QImage;

// The colour depths a saved bitmap can have, in the order the Save Attributes
// dialog offers them.
enum class TBitmapColors { BlackAndWhite = 0, Colors16 = 1, Colors256 = 2, HighColor = 3, TrueColor = 4 };

// Writes `image` as a Windows bitmap of the chosen depth (1, 4, 8, 16 or 24
// bits per pixel) through a temporary file, so that a failed write leaves an
// existing file as it was. Black and white keeps white and turns every other
// colour black (line art); 16 colours are the standard 16-colour palette,
// which holds every curve colour; 256 colours take an optimised palette.
bool WriteBmp(const QImage& image, TBitmapColors colors, const QString& fileName);

// The image as its pixels will be stored at that depth (colours reduced).
QImage ReduceColors(const QImage& image, TBitmapColors colors);
