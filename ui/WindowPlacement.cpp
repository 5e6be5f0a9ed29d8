#include "ui/WindowPlacement.h"

#include "ui/rules/WindowFit.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

TWindowRect Of(const QRect& r)
{
    return TWindowRect{r.x(), r.y(), r.width(), r.height()};
}

// The windows the user moves and sizes; menus, tool tips and the like place themselves.
bool IsPlacedWindow(const QWidget* w)
{
    if (qobject_cast<const QMdiSubWindow*>(w))
        return true;
    if (!w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet || type == Qt::Tool;
}

void Fit(QWidget* window)
{
    if (window->isMaximized() || window->isMinimized() || window->isFullScreen())
        return;
    QRect available;
    QRect frame = window->frameGeometry();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
        QMdiArea* area = sub->mdiArea();
        if (!area)
            return;
        available = area->viewport()->rect();
        frame = sub->geometry();
    } else {
        QScreen* screen = window->screen();
        if (!screen)
            return;
        available = screen->availableGeometry();
    }
    const TWindowRect fitted = FitWindow(Of(frame), Of(available));
    if (fitted == Of(frame))
        return;
    // The frame (title bar and borders) stays around the client area.
    const QSize border = frame.size() - window->geometry().size();
    if (fitted.Width != frame.width() || fitted.Height != frame.height()) {
        // A layout's minimum gives way to the room there is: the content scrolls or shrinks.
        const QSize client(fitted.Width - border.width(), fitted.Height - border.height());
        window->setMinimumSize(window->minimumSize().boundedTo(client));
        window->resize(client);
    }
    window->move(fitted.X, fitted.Y);
}

class PlacementFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (IsPlacedWindow(w) && !w->property(kFitted).toBool()) {
                w->setProperty(kFitted, true);
                // Once the window system has placed it and its layout has settled.
                QPointer<QWidget> guarded(w);
                Fit(w);
                QTimer::singleShot(0, w, [guarded] {
                    if (guarded)
                        Fit(guarded);
                });
            }
        }
        return false;
    }
    static constexpr const char* kFitted = "torvikFittedIntoRoom";
};

}  // namespace

void InstallWindowPlacement()
{
    static PlacementFilter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new PlacementFilter(qApp);
    qApp->installEventFilter(filter);
}

void FitIntoRoom(QWidget* window)
{
    if (window)
        Fit(window);
}
