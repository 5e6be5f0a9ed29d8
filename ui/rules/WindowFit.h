#pragma once

// Where a window opens: the rectangle it wants (its size from its layout,
// its place from the program or the window system) fitted into the rectangle
// that is free for it (the screen less its panels for a top-level window, the
// work area for a child window), so that every edge, button and title bar can
// be reached with the mouse at any scale of the screen.

struct TWindowRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    int Right() const { return X + Width; }
    int Bottom() const { return Y + Height; }
    bool operator==(const TWindowRect& o) const
    {
        return X == o.X && Y == o.Y && Width == o.Width && Height == o.Height;
    }
};

// `wanted` (the window with its frame) fitted into `available`: a window
// larger than the free rectangle is made as large as that (its layout then
// scrolls or shrinks), and one that lies partly outside is moved in by the
// least distance, its top left corner kept where it fits. A window not larger
// than the free rectangle keeps its size; one wholly inside keeps its place.
TWindowRect FitWindow(const TWindowRect& wanted, const TWindowRect& available);

// The place of a window of `size` (width, height) centred in `available`,
// after FitWindow: where a window opens that the program gives no place.
TWindowRect CentreWindow(int width, int height, const TWindowRect& available);
