// The picture fills of the soil-layer strip, drawn here as black on white
// tiles that repeat seamlessly: every motif is laid out on a period that
// divides the tile. Each exists in a screen version and a larger print version.
#include "graph/widgets/GraphPainter.h"

#include <QPainter>

#include <array>
#include <map>
#include <utility>

namespace {

QImage BlankTile(int w, int h)
{
    QImage tile(w, h, QImage::Format_RGB32);
    tile.fill(Qt::white);
    return tile;
}

// Clay: thin parallel lines rising to the right (x + y = const).
QImage Clay(int size, int spacing)
{
    QImage tile = BlankTile(size, size);
    QPainter p(&tile);
    p.setPen(QPen(Qt::black, 1));
    for (int c = 0; c <= 2 * size; c += spacing)
        p.drawLine(0, c, c, 0);
    return tile;
}

void Dot(QPainter& p, int x, int y, int r)
{
    if (r <= 1)
        p.fillRect(x, y, r + 1, r + 1, Qt::black);
    else
        p.drawEllipse(QPoint(x, y), r, r);
}

// Sand: a regular grid of dots, alternate rows shifted by half a period.
QImage Sand(int size, int period, int r)
{
    QImage tile = BlankTile(size, size);
    QPainter p(&tile);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int row = 0, y = period / 2; y < size; y += period, ++row)
        for (int x = (row % 2 ? period : period / 2) % period; x < size; x += period)
            Dot(p, x, y, r);
    return tile;
}

// Silt: short horizontal dashes in staggered rows, two dashes per row.
QImage Silt(int w, int h, int rows, int dash)
{
    QImage tile = BlankTile(w, h);
    QPainter p(&tile);
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k < rows; ++k) {
        const int y = k * h / rows + h / (2 * rows);
        const int offset = k % 2 ? w / 4 : w / 16;
        for (int m = 0; m < 2; ++m)
            p.drawLine(offset + m * w / 2, y, offset + m * w / 2 + dash - 1, y);
    }
    return tile;
}

// Strong rock: brick courses; the joints of alternate courses are staggered by half a brick.
QImage Bricks(int w, int h, bool weak)
{
    QImage tile = BlankTile(w, h);
    QPainter p(&tile);
    p.setPen(QPen(Qt::black, 1));
    const int courses = 3;
    for (int k = 0; k < courses; ++k) {
        const int top = k * h / courses, bottom = (k + 1) * h / courses;
        p.drawLine(0, top, w - 1, top);
        const int joint = k % 2 ? w / 2 : 0;
        p.drawLine(joint, top, joint, bottom);
        if (weak) {
            // Weak rock: a diagonal stroke through each brick (two half bricks
            // in the staggered course).
            const int inset = (bottom - top) / 4;
            if (k % 2) {
                p.drawLine(inset, bottom - inset, w / 2 - inset, top + inset);
                p.drawLine(w / 2 + inset, bottom - inset, w - inset, top + inset);
            } else {
                p.drawLine(w / 4, bottom - inset, 3 * w / 4, top + inset);
            }
        }
    }
    return tile;
}

// Fixed grain positions (fractions of the tile) so that the pictures never change.
constexpr std::array<std::pair<double, double>, 9> Grains = {
    {{0.12, 0.18}, {0.55, 0.08}, {0.82, 0.36}, {0.30, 0.47}, {0.68, 0.62},
     {0.08, 0.74}, {0.44, 0.86}, {0.90, 0.90}, {0.22, 0.30}}};

// Pattern 11: a grid of dots with scattered larger black grains.
// Pattern 12: the scattered grains alone.
QImage GrainsTile(int w, int h, bool withDots, int period, int dotRadius, int grainRadius)
{
    QImage tile = withDots ? Sand(std::max(w, h), period, dotRadius).copy(0, 0, w, h) : BlankTile(w, h);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const int copies = h / w > 1 ? h / w : 1;  // a tall print tile repeats the grains
    for (int c = 0; c < copies; ++c)
        for (const auto& g : Grains)
            p.drawEllipse(QPointF(g.first * w, (g.second + c) * h / copies), grainRadius * 1.2, grainRadius);
    return tile;
}

QImage MakePattern(int code, bool print)
{
    switch (code) {
    case 1: return print ? Clay(96, 12) : Clay(80, 10);
    case 7: return print ? Sand(96, 12, 2) : Sand(80, 10, 1);
    case 8: return print ? Silt(96, 69, 6, 22) : Silt(30, 42, 6, 7);
    case 9: return print ? Bricks(96, 69, false) : Bricks(30, 42, false);
    case 10: return print ? Bricks(96, 69, true) : Bricks(30, 42, true);
    case 11: return print ? GrainsTile(96, 192, true, 12, 2, 5) : GrainsTile(80, 80, true, 10, 1, 3);
    case 12: return print ? GrainsTile(96, 192, false, 12, 2, 5) : GrainsTile(80, 80, false, 10, 1, 3);
    default: return QImage();
    }
}

}  // namespace

QImage TGraphPainter::FillPattern(int code, bool print)
{
    // The tiles are made once and reused by every drawing (user-interface thread only).
    static std::map<std::pair<int, bool>, QImage> cache;
    const auto key = std::make_pair(code, print);
    auto at = cache.find(key);
    if (at == cache.end())
        at = cache.emplace(key, MakePattern(code, print)).first;
    return at->second;
}
