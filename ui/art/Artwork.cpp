#include "ui/art/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <map>
#include <memory>

// The drawings are compiled into a static library, whose resources are not
// registered on their own. Q_INIT_RESOURCE must be called outside any namespace.
static void RegisterArtResource()
{
    Q_INIT_RESOURCE(art);
}

// Registers the resources once, before the first look-up of a drawing or an icon.
static void EnsureArtResource()
{
    static const bool registered = (RegisterArtResource(), true);
    (void)registered;
}

namespace {

// What each drawing shows, for its view's accessible name.
struct Description {
    const char* name;
    const char* text;
};
const Description Descriptions[] = {
    {"ImagePressure", "Earth-pressure diagram"},
    {"ImageTieBack", "Tie-back modelled as lateral and rotational springs"},
    {"WallConfiguration", "Wall configuration"},
    {"SurchargePoint", "Point load surcharge"},
    {"SurchargeLine", "Line load surcharge"},
    {"SurchargeStrip", "Strip load surcharge"},
    {"ConcentratedLoads", "Concentrated loads on the wall"},
    {"Springs", "Lateral and rotational springs"},
};

QString DescriptionOf(const QString& name)
{
    for (const Description& d : Descriptions)
        if (name == QLatin1String(d.name))
            return QString::fromLatin1(d.text);
    return name;
}

// A name is a plain file name: no path separators or dots can reach other resources.
bool IsPlainName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')))
            return false;
    return true;
}

// One parsed drawing per name, kept for the life of the program: dialogs come
// and go, and parsing the same file again each time would be wasted work.
// Only the user-interface thread draws, so the cache needs no lock.
QSvgRenderer* Renderer(const QString& name)
{
    static std::map<QString, std::unique_ptr<QSvgRenderer>> cache;
    auto found = cache.find(name);
    if (found != cache.end())
        return found->second.get();
    if (!IsPlainName(name))
        return nullptr;
    EnsureArtResource();
    const QString path = ArtworkPath(name);
    if (!QFile::exists(path))
        return nullptr;
    auto renderer = std::make_unique<QSvgRenderer>(path);
    if (!renderer->isValid() || renderer->defaultSize().isEmpty())
        return nullptr;
    return cache.emplace(name, std::move(renderer)).first->second.get();
}

}  // namespace

QString ArtworkPath(const QString& name)
{
    return QStringLiteral(":/art/%1.svg").arg(name);
}

bool HasArtwork(const QString& name)
{
    return Renderer(name) != nullptr;
}

QSize ArtworkSize(const QString& name)
{
    QSvgRenderer* renderer = Renderer(name);
    return renderer ? renderer->defaultSize() : QSize();
}

void PaintArtwork(QPainter& painter, const QString& name, const QRectF& target)
{
    QSvgRenderer* renderer = Renderer(name);
    if (!renderer || target.isEmpty())
        return;
    // The largest box of the drawing's proportions that fits, centred in the target.
    QRectF box(QPointF(), QSizeF(renderer->defaultSize()).scaled(target.size(), Qt::KeepAspectRatio));
    box.moveCenter(target.center());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer->render(&painter, box);
    painter.restore();
}

QIcon ArtworkIcon(const QString& name)
{
    if (!IsPlainName(name))
        return QIcon();
    EnsureArtResource();
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (!QFile::exists(path))
        return QIcon();
    // Qt's svg icon engine renders the file afresh for each size and pixel
    // ratio asked for, and greys it out for disabled buttons.
    return QIcon(path);
}

TArtView::TArtView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    SetArtwork(name);
}

void TArtView::SetArtwork(const QString& name)
{
    artworkName = name;
    setAccessibleName(HasArtwork(name) ? DescriptionOf(name) : QString());
    updateGeometry();
    update();
}

QString TArtView::Artwork() const
{
    return artworkName;
}

QSize TArtView::sizeHint() const
{
    const QSize size = ArtworkSize(artworkName);
    return size.isValid() ? size : QSize(0, 0);
}

void TArtView::paintEvent(QPaintEvent*)
{
    // Painting the vectors on the widget itself lets the painter's device
    // pixel ratio decide the resolution, so the drawing stays sharp when scaled.
    QPainter painter(this);
    PaintArtwork(painter, artworkName, rect());
}
