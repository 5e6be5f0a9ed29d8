#pragma once

// Zoom rules of the graph window, one axis at a time, in data values.

// A span of one axis.
struct ZoomSpan {
    long double Min = 0;
    long double Max = 0;
};

// Zoom in to the selection from a to b: the span they enclose, but never
// narrower than a twentieth of `full`; a span widened to that limit is centred
// on the selection and then kept inside `full`.
ZoomSpan ZoomInSpan(long double a, long double b, ZoomSpan full);

// Zoom out around the value v: the current width doubles (up to the full
// width) around v, with v held so far inside `full` that the span fits in it.
ZoomSpan ZoomOutSpan(long double v, ZoomSpan current, ZoomSpan full);

// The span shown after the curves changed and their full span went from
// `oldFull` to `newFull`: a span the user zoomed to stays; an unzoomed view
// shows the new full span.
ZoomSpan KeptSpan(ZoomSpan current, ZoomSpan oldFull, ZoomSpan newFull);
