#pragma once
#include "model/ExcavationSideSettings.h"

#include <optional>
#include <string>
#include <vector>

class TGridTable;
class TProgramData;
class WallTables;
struct TWallSettings;

// The geometry of the wall and soil profile view, without a window: what is
// drawn, read from the wall and its tables, and where it goes on a screen
// client, an image or a printed page.
//
// World coordinates are in the model's length unit (inches in English units,
// metres in SI): x across the wall, 0 on its axis, the backfill on the left;
// y is depth, growing downwards, with 0 one tenth of the wall length above
// the wall top, so that the ground surface has some sky above it.

// A rectangle of the world plane.
struct TWorldWindow {
    long double XMin = -10;
    long double XMax = 10;
    long double YMin = 0;
    long double YMax = 10;
    // True when the window has no width or no height: nothing can be drawn.
    bool Degenerate() const { return XMax == XMin || YMax == YMin; }
};

// A point of the world plane.
struct TWorldPoint {
    long double X = 0;
    long double Y = 0;
};

// The corners of the wall bar.
struct TWallOutline {
    TWorldPoint TopLeft, TopRight, BottomLeft, BottomRight;
};

// One soil layer as drawn: world depths of its top and bottom, and its two text lines.
struct TProfileLayer {
    long double Top = 0;
    long double Bottom = 0;
    std::string Name;
    std::string Parameters;
    int Tone = 0;  // the soil type, for the layer's tint
};

// The ground in front of the wall at the stage shown (wall settings): a berm
// against the wall or a surface falling away from it; world units, degrees.
struct TProfileGround {
    ExcavationGroundKind Kind = ExcavationGroundKind::Level;
    long double TopWidth = 0;   // berm: top width from the wall's face
    long double Height = 0;     // berm: height above the excavation level
    long double SideSlope = 90; // berm: its side below the horizontal
    long double SlopeAngle = 0; // slope: below the horizontal
};

// The outline of a berm from the wall's face `face` (world x) at the
// excavation level `excavation` (world depth): the wall's face at the berm's
// top, the top's far edge, the side's foot on the excavation level. Empty for
// other ground; a berm higher than the excavation is deep is cut at `top`.
std::vector<TWorldPoint> BermOutline(const TProfileGround& ground, long double face, long double excavation,
                                     long double top);

// Everything the view draws, read from the wall and its tables; world units.
struct TProfileScene {
    long double WallLength = 0;  // L = nodes x increment length
    long double Top = 0;         // t0: world depth of the wall top (the retained ground surface)
    long double HalfWidth = 0;   // a: half the drawn width of the wall bar, H / 40
    long double Excavation = 0;  // world depth of the excavation level, t0 + H
    std::optional<TWallOutline> Outline;  // the wall, when it has a stiffness section
    bool ShowSoil = false;                // soil layers, ground and water are part of the input
    std::vector<TProfileLayer> Layers;
    long double BackfillSlope = 0;  // degrees, positive rising away from the wall
    TProfileGround Ground;          // level unless the settings give a berm or a slope
    std::optional<long double> WaterBackfill;    // world depth of the water table behind the wall
    std::optional<long double> WaterExcavation;  // and in front of it
    std::vector<long double> Restraints;  // world depths of specified deflections or slopes
    std::vector<long double> PyCurves;    // world depths of external p-y curves
    std::vector<long double> Springs;     // world depths of springs above the excavation level
    long double PyWidth = 0;      // Wp: radius of the piles of the top view
    long double ActiveWidth = 0;  // Wa: half their spacing
    // The depth scale: world units per unit shown (12 in to the foot in
    // English units) and its caption.
    long double ScaleUnit = 1;
    std::string ScaleCaption = "Depth (m)";
    // The units touch (Wp >= Wa): the top view shows a continuous wall.
    bool Continuous() const { return PyWidth >= ActiveWidth; }
};

// Reads the scene from the wall and its tables `NewSoil`, `PileSect`,
// `BoundaryConditions`, `PYCurves` and `Springs`.
TProfileScene ReadProfileScene(const TProgramData& wall, const WallTables& tables);
// The same with the ground in front of the wall at the wall's current stage from `settings`.
TProfileScene ReadProfileScene(const TProgramData& wall, const WallTables& tables, const TWallSettings& settings);

// The soil type's first text line ("Sand"); empty for an unknown type.
std::string LayerName(int soilType);
// The second text line, from the second row of the layer's parameter table
// (the values at the layer bottom), each number as the table shows it.
std::string LayerParameters(int soilType, TGridTable* parameters);

// The world window of a wall: the smallest box holding the origin and the
// outline's corners, each bound then multiplied by 1.05.
TWorldWindow WorldWindowFor(const TWallOutline& outline);

// The view window: the world window widened (x) or deepened (y) to the
// aspect ratio of a client of width x height pixels, so that both directions
// have the same scale. The world window itself when either is degenerate.
TWorldWindow ViewWindow(const TWorldWindow& world, int width, int height);

// The view window mapped onto a device: a screen client or image (the whole
// area) or a printed page (the full width, depths on the middle 80 % of the height).
struct TProfileMapping {
    TWorldWindow View;
    int Width = 0;
    int Height = 0;
    bool Page = false;

    // Device column of world x.
    int X(long double x) const;
    // Device row of world depth y.
    int Y(long double y) const;
    // World depth of a device row (the inverse of Y).
    long double Depth(int row) const;
};

// The window title of the depth readout: `depth` below the wall top, one decimal.
std::string DepthTitle(long double depth);

// The device that a drawing is laid out for.
struct TProfileDevice {
    int Width = 0;       // client, image or page width in device pixels
    int Height = 0;      // and height
    bool Page = false;   // the printed layout: page mapping, ruled from 10 % to 90 % of the width
    int TextHeight = 13; // line height of the drawing font on this device
    double Scale = 1;    // device pixels per screen pixel (1/96 inch)
};

// How an item of the drawing is painted.
enum class TProfileShape {
    Line,     // Points[0] to Points[1]
    Polygon,  // Points, filled in the item's colour
    Circle,   // centre Points[0] and Radius, outlined, filled with the paper colour
    Box,      // rectangle from Points[0] to Points[1], outlined, filled with the paper colour
    Text      // Text with its top-left corner at Points[0]
};

// The colour of an item: the ink, the water's colour, or the tint of soil
// type Tone (drawn on screen and in saved pictures, not on paper).
enum class TProfileInk { Ink, Water, Soil };

// A point on the device.
struct TProfilePoint {
    int X = 0;
    int Y = 0;
};

// One item of the drawing, in painting order.
struct TProfileItem {
    TProfileShape Shape = TProfileShape::Line;
    TProfileInk Ink = TProfileInk::Ink;
    int Pen = 1;  // pen width in device pixels
    std::vector<TProfilePoint> Points;
    int Radius = 0;
    std::string Text;
    int Tone = 0;  // the soil type of a soil tint
};

// The drawing of `scene` in the view window `view` on `device`, in painting
// order: soil layers (tints, boundaries, texts) and the ground, the wall bar, the ground
// and excavation lines, the water tables, restraint, p-y and spring marks
// (springs, tie-backs among them, reach into the retained soil), the top view
// of the piles (a continuous wall when they touch), and the depth scale from
// the wall top to its tip with the excavation level marked; a berm or a falling
// surface in front of the wall takes the place of the level excavation line. Empty when the
// view window is degenerate.
std::vector<TProfileItem> LayoutProfile(const TProfileScene& scene, const TWorldWindow& view,
                                        const TProfileDevice& device);
