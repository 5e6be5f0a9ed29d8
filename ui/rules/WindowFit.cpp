#include "ui/rules/WindowFit.h"

#include <algorithm>

TWindowRect FitWindow(const TWindowRect& wanted, const TWindowRect& available)
{
    TWindowRect fitted = wanted;
    fitted.Width = std::max(0, std::min(wanted.Width, available.Width));
    fitted.Height = std::max(0, std::min(wanted.Height, available.Height));
    // Moved in from the far edge first, then from the near one, so that the
    // title bar (top left) is always on the screen.
    fitted.X = std::max(available.X, std::min(fitted.X, available.Right() - fitted.Width));
    fitted.Y = std::max(available.Y, std::min(fitted.Y, available.Bottom() - fitted.Height));
    return fitted;
}

TWindowRect CentreWindow(int width, int height, const TWindowRect& available)
{
    TWindowRect centred{available.X + (available.Width - width) / 2, available.Y + (available.Height - height) / 2,
                        width, height};
    return FitWindow(centred, available);
}
