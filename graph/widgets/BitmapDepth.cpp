#include "graph/widgets/BitmapDepth.h"

#include <QImage>
#include <QSaveFile>

#include <cstdint>
#include <vector>

namespace {

// The standard 16-colour palette.
const QRgb Palette16[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

int Nearest16(QRgb c)
{
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = qRed(c) - qRed(Palette16[i]);
        const long dg = qGreen(c) - qGreen(Palette16[i]);
        const long db = qBlue(c) - qBlue(Palette16[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestD < 0 || d < bestD) {
            best = i;
            bestD = d;
        }
    }
    return best;
}

void Put16(std::vector<char>& out, unsigned v)
{
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}

void Put32(std::vector<char>& out, std::uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// Pixel indices (or 16-bit values) of one row, packed at `bits` per pixel.
void PackRow(std::vector<char>& out, const std::vector<unsigned>& values, int bits)
{
    const size_t start = out.size();
    if (bits == 16) {
        for (unsigned v : values)
            Put16(out, v);
    } else {
        unsigned acc = 0;
        int used = 0;
        for (unsigned v : values) {
            acc = (acc << bits) | v;
            used += bits;
            if (used == 8) {
                out.push_back(static_cast<char>(acc));
                acc = 0;
                used = 0;
            }
        }
        if (used > 0)
            out.push_back(static_cast<char>(acc << (8 - used)));
    }
    while ((out.size() - start) % 4 != 0)
        out.push_back(0);
}

}  // namespace

QImage ReduceColors(const QImage& image, TBitmapColors colors)
{
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x];
            switch (colors) {
            case TBitmapColors::BlackAndWhite:
                line[x] = (c & 0xffffff) == 0xffffff ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                break;
            case TBitmapColors::Colors16:
                line[x] = Palette16[Nearest16(c)];
                break;
            case TBitmapColors::HighColor:
                line[x] = qRgb(qRed(c) & 0xf8, qGreen(c) & 0xf8, qBlue(c) & 0xf8);
                break;
            default:
                break;
            }
        }
    }
    if (colors == TBitmapColors::Colors256)
        rgb = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
                  .convertToFormat(QImage::Format_RGB32);
    return rgb;
}

namespace {

// How the pixels are stored at one depth: bits per pixel, the colour table
// written after the header (empty for 16 and 24 bits), and for 256 colours
// the image as palette indices into that table.
struct BmpFormat {
    int bits = 24;
    std::vector<QRgb> table;
    QImage indexed;
};

BmpFormat ChooseFormat(const QImage& rgb, TBitmapColors colors)
{
    BmpFormat format;
    switch (colors) {
    case TBitmapColors::BlackAndWhite:
        format.bits = 1;
        format.table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        break;
    case TBitmapColors::Colors16:
        format.bits = 4;
        format.table.assign(std::begin(Palette16), std::end(Palette16));
        break;
    case TBitmapColors::Colors256:
        format.bits = 8;
        format.indexed = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        for (QRgb c : format.indexed.colorTable())
            format.table.push_back(c);
        break;
    case TBitmapColors::HighColor:
        format.bits = 16;
        break;
    case TBitmapColors::TrueColor:
        format.bits = 24;
        break;
    }
    return format;
}

// One 24-bit row: blue, green, red per pixel, padded to a multiple of 4 bytes.
void AppendTrueColorRow(std::vector<char>& pixels, const QRgb* line, int w)
{
    const size_t start = pixels.size();
    for (int x = 0; x < w; ++x) {
        pixels.push_back(static_cast<char>(qBlue(line[x])));
        pixels.push_back(static_cast<char>(qGreen(line[x])));
        pixels.push_back(static_cast<char>(qRed(line[x])));
    }
    while ((pixels.size() - start) % 4 != 0)
        pixels.push_back(0);
}

// The stored value of pixel (x, y): a palette index at 1, 4 and 8 bits,
// 5-5-5 RGB at 16 bits.
unsigned PixelValue(const BmpFormat& format, QRgb c, int x, int y)
{
    switch (format.bits) {
    case 1: return (c & 0xffffff) == 0xffffff ? 1 : 0;
    case 4: return static_cast<unsigned>(Nearest16(c));
    case 8: return format.indexed.constScanLine(y)[x];
    default: return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
    }
}

// The pixel array: rows bottom-up, each padded to a multiple of 4 bytes.
std::vector<char> EncodePixels(const QImage& rgb, const BmpFormat& format)
{
    const int w = rgb.width();
    std::vector<char> pixels;
    std::vector<unsigned> values(static_cast<size_t>(w));
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        if (format.bits == 24) {
            AppendTrueColorRow(pixels, line, w);
            continue;
        }
        for (int x = 0; x < w; ++x)
            values[x] = PixelValue(format, line[x], x, y);
        PackRow(pixels, values, format.bits);
    }
    return pixels;
}

// File header and BITMAPINFOHEADER for `pixelBytes` bytes of pixels. The
// resolution is the image's, 72 dpi (2835 per metre) when it has none.
void AppendHeaders(std::vector<char>& out, const QImage& image, const QImage& rgb, const BmpFormat& format,
                   std::uint32_t pixelBytes)
{
    const std::uint32_t headerSize = 14 + 40 + 4 * static_cast<std::uint32_t>(format.table.size());
    const int ppm = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 2835;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerSize + pixelBytes);
    Put32(out, 0);
    Put32(out, headerSize);
    Put32(out, 40);  // BITMAPINFOHEADER
    Put32(out, static_cast<std::uint32_t>(rgb.width()));
    Put32(out, static_cast<std::uint32_t>(rgb.height()));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(format.bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, static_cast<std::uint32_t>(ppm));
    Put32(out, static_cast<std::uint32_t>(image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : ppm));
    Put32(out, static_cast<std::uint32_t>(format.table.size()));
    Put32(out, 0);
}

// Colour table entries: blue, green, red, reserved zero.
void AppendColorTable(std::vector<char>& out, const std::vector<QRgb>& table)
{
    for (QRgb c : table) {
        out.push_back(static_cast<char>(qBlue(c)));
        out.push_back(static_cast<char>(qGreen(c)));
        out.push_back(static_cast<char>(qRed(c)));
        out.push_back(0);
    }
}

// Writes through a temporary file, so a failed write leaves an existing file.
bool SaveWhole(const QString& fileName, const std::vector<char>& out)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

bool WriteBmp(const QImage& image, TBitmapColors colors, const QString& fileName)
{
    const QImage rgb = ReduceColors(image, colors);
    const BmpFormat format = ChooseFormat(rgb, colors);
    const std::vector<char> pixels = EncodePixels(rgb, format);

    std::vector<char> out;
    AppendHeaders(out, image, rgb, format, static_cast<std::uint32_t>(pixels.size()));
    AppendColorTable(out, format.table);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return SaveWhole(fileName, out);
}
