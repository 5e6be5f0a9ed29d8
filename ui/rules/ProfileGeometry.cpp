#include "ui/rules/ProfileGeometry.h"

#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "model/SoilType.h"
#include "model/TableCells.h"
#include "tables/WallTables.h"
#include "units/Constants.h"
#include "units/NumberFormat.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>

namespace {

// The nearest integer; far-off positions (a layer bottom miles down) are
// held within a range that devices clip without overflowing.
int Round(long double v)
{
    return static_cast<int>(std::lround(std::clamp(static_cast<double>(v), -1e8, 1e8)));
}

// Node depths of a table column, as world depths.
std::vector<long double> NodeDepths(TGridTable& table, int column, const TProgramData& wall, long double top)
{
    std::vector<long double> depths;
    for (int r = 0; r < table.RowCount(); ++r)
        depths.push_back(cells::Integer(table, column, r) * wall.IncrementLength + top);
    return depths;
}

// A parameter as the table shows it: the shortest form of 8 significant digits.
std::string Value(TGridTable& table, int column)
{
    const int row = std::min(1, table.RowCount() - 1);
    if (row < 0 || column < 0 || column >= table.ColumnCount())
        return "?";
    return FormatFloat8(cells::Real(table, column, row));
}

}  // namespace

std::string LayerName(int soilType)
{
    const SoilTypeTraits* traits = FindSoilType(soilType);
    return traits ? traits->ProfileName : std::string();
}

std::string LayerParameters(int soilType, TGridTable* parameters)
{
    const SoilTypeTraits* traits = FindSoilType(soilType);
    if (!parameters || !traits)
        return std::string();
    // The friction angle, then the cohesion or the compressive strength, then
    // the unit weight, each from the column its line position fills.
    TGridTable& t = *parameters;
    auto at = [&](int position) { return Value(t, traits->LineColumns[static_cast<std::size_t>(position)]); };
    const SoilStrengths& has = traits->Strengths;
    std::string text;
    if (has.Friction)
        text = "\xC3\xB8= " + at(kLineFriction);
    if (has.Cohesion)
        text += (text.empty() ? "c= " : "; c= ") + at(kLineStrength);
    if (has.Rock)
        text += "compressive strength= " + at(kLineStrength);
    return text + "; gamma= " + at(kLineUnitWeight);
}

TProfileScene ReadProfileScene(const TProgramData& wall, const WallTables& tables)
{
    TProfileScene s;
    s.ScaleUnit = wall.UnitSystem() == UnitSystem::English ? 12 : 1;
    s.ScaleCaption = wall.UnitSystem() == UnitSystem::English ? "Depth (ft)"
                     : wall.UnitSystem() == UnitSystem::SI    ? "Depth (m)"
                                                              : "Depth (L)";
    s.WallLength = wall.NodeCount * wall.IncrementLength;
    s.Top = 0.1L * s.WallLength;
    s.HalfWidth = wall.WallHeight / 40;
    s.Excavation = s.Top + wall.WallHeight;
    if (tables[WallTable::PileSect].RowCount() > 0)
        s.Outline = TWallOutline{{-s.HalfWidth, s.Top},
                                 {s.HalfWidth, s.Top},
                                 {-s.HalfWidth, s.WallLength + s.Top},
                                 {s.HalfWidth, s.WallLength + s.Top}};

    // The soil takes part when the data file carries it: generated p-y curves
    // or generated earth pressure. The flags are read, not the header options
    // of the last save, so that a changed option shows at once.
    s.ShowSoil = wall.GeneratePyCurves || GeneratesPressure(wall.EarthPressureKind);
    if (s.ShowSoil) {
        TGridTable& soil = tables[WallTable::NewSoil];
        // Layer depths are in feet in English units, the world in inches.
        const long double toWorld = wall.UnitSystem() == UnitSystem::English ? 12 : 1;
        long double top = s.Top;
        for (int r = 0; r < soil.RowCount(); ++r) {
            const int type = cells::Integer(soil, 0, r);
            TProfileLayer layer;
            layer.Top = top;
            layer.Bottom = cells::Real(soil, 1, r) * toWorld + s.Top;
            layer.Name = LayerName(type);
            layer.Tone = type;
            layer.Parameters = LayerParameters(type, cells::Sub(soil, 2, r));
            top = layer.Bottom;
            s.Layers.push_back(layer);
        }
        s.BackfillSlope = wall.BackfillSlope;
        // Water depths are measured from the wall top; a table below the wall tip is not shown.
        auto water = [&](long double depth) -> std::optional<long double> {
            if (depth >= 0 && depth <= s.WallLength)
                return depth + s.Top;
            return std::nullopt;
        };
        s.WaterBackfill = water(wall.WaterDepthBackfill);
        s.WaterExcavation = water(wall.WaterDepthExcavation);
        s.PyWidth = wall.PyWidth;
        s.ActiveWidth = wall.ActiveWidth;
    }

    if (wall.UseRestraints)
        s.Restraints = NodeDepths(tables[WallTable::BoundaryConditions], 1, wall, s.Top);
    if (wall.UseExternalPyCurves || wall.PressurePointCount > 1)
        s.PyCurves = NodeDepths(tables[WallTable::PYCurves], 0, wall, s.Top);
    if (wall.UseSprings)
        for (long double y : NodeDepths(tables[WallTable::Springs], 1, wall, s.Top))
            if (y < s.Excavation)
                s.Springs.push_back(y);
    return s;
}

TProfileScene ReadProfileScene(const TProgramData& wall, const WallTables& tables, const TWallSettings& settings)
{
    TProfileScene s = ReadProfileScene(wall, tables);
    const TWallSettings inFile = settings.InFileUnits(wall.UnitSystem());
    const TExcavationSideSettings* g = inFile.ExcavationSide(std::max(1, static_cast<int>(wall.CurrentStage)));
    if (!g || !s.ShowSoil)
        return s;
    s.Ground = {g->kind, g->topWidth, g->height, g->sideSlope, g->slopeAngle};
    return s;
}

std::vector<TWorldPoint> BermOutline(const TProfileGround& g, long double face, long double excavation, long double top)
{
    if (g.Kind != ExcavationGroundKind::Berm || !(g.Height > 0))
        return {};
    const long double height = std::min(g.Height, excavation - top);
    const long double run =
        g.SideSlope >= 90 ? 0 : height / std::tan(static_cast<long double>(g.SideSlope) * kPi / 180);
    return {{face, excavation - height}, {face + g.TopWidth, excavation - height}, {face + g.TopWidth + run, excavation}};
}

TWorldWindow WorldWindowFor(const TWallOutline& o)
{
    TWorldWindow w{0, 0, 0, 0};
    for (const TWorldPoint& p : {o.TopLeft, o.TopRight, o.BottomLeft, o.BottomRight}) {
        w.XMin = std::min(w.XMin, p.X);
        w.XMax = std::max(w.XMax, p.X);
        w.YMin = std::min(w.YMin, p.Y);
        w.YMax = std::max(w.YMax, p.Y);
    }
    w.XMin *= 1.05L;
    w.XMax *= 1.05L;
    w.YMin *= 1.05L;
    w.YMax *= 1.05L;
    return w;
}

TWorldWindow ViewWindow(const TWorldWindow& world, int width, int height)
{
    TWorldWindow v = world;
    if (world.Degenerate() || width <= 0 || height <= 0)
        return v;
    const long double r = (static_cast<long double>(width) / height) / ((world.XMax - world.XMin) / (world.YMax - world.YMin));
    if (r >= 1) {
        v.XMin *= r;
        v.XMax *= r;
    } else {
        v.YMin /= r;
        v.YMax /= r;
    }
    return v;
}

int TProfileMapping::X(long double x) const
{
    return Round(Width * (x - View.XMin) / (View.XMax - View.XMin));
}

int TProfileMapping::Y(long double y) const
{
    const long double f = (y - View.YMin) / (View.YMax - View.YMin);
    return Page ? Round(f * Height * 0.8L) + Round(Height * 0.1L) : Round(Height * f);
}

long double TProfileMapping::Depth(int row) const
{
    const long double f = Page ? (row - Round(Height * 0.1L)) / (Height * 0.8L) : static_cast<long double>(row) / Height;
    return View.YMin + f * (View.YMax - View.YMin);
}

std::string DepthTitle(long double depth)
{
    return "  Depth: " + FormatFixed(depth, 6, 1);
}

namespace {

// Lays out the drawing item by item.
class ProfileLayout {
public:
    ProfileLayout(const TProfileScene& scene, const TWorldWindow& view, const TProfileDevice& device)
        : s_(scene), d_(device), map_{view, device.Width, device.Height, device.Page}
    {
        const int w = device.Width;
        if (device.Page) {
            left_ = Round(0.1L * w);
            mid_ = Round(0.5L * w);
            right_ = Round(0.9L * w);
            textX_ = left_;
            // The printed pens and strokes are given for a printer of 600 pixels per inch.
            const double printer = device.Scale * 96.0 / 600.0;
            line_ = Pen(12 * printer);
            mark_ = Pen(15 * printer);
            spring_ = Pen(35 * printer);
            circle_ = line_;
        } else {
            left_ = 0;
            mid_ = w / 2;
            right_ = w;
            textX_ = Pen(4 * device.Scale);
            line_ = Pen(device.Scale);
            mark_ = Pen(2 * device.Scale);
            spring_ = Pen(5 * device.Scale);
            circle_ = mark_;
        }
    }

    std::vector<TProfileItem> Run()
    {
        if (map_.View.Degenerate() || d_.Width <= 0 || d_.Height <= 0)
            return {};
        if (s_.ShowSoil)
            Layers();
        if (s_.Outline) {
            const TWallOutline& o = *s_.Outline;
            TProfilePoint tl = P(o.TopLeft), tr = P(o.TopRight), br = P(o.BottomRight), bl = P(o.BottomLeft);
            // A wall of little free height would be a hairline: it keeps three times the thin pen's width.
            const int least = 3 * line_;
            if (tr.X - tl.X < least) {
                tl.X = bl.X = (tl.X + tr.X - least) / 2;
                tr.X = br.X = tl.X + least;
            }
            Polygon({tl, tr, br, bl}, TProfileInk::Ink);
        }
        Line(left_, map_.Y(s_.Top), mid_, map_.Y(s_.Top), line_);
        ExcavationSurface();
        if (s_.WaterBackfill)
            Water(*s_.WaterBackfill, 0.32, 0.46);
        if (s_.WaterExcavation)
            Water(*s_.WaterExcavation, 0.6, 0.74);
        Marks();
        if (s_.ShowSoil && s_.PyWidth > 0 && s_.ActiveWidth > 0)
            TopView();
        DepthScale();
        return std::move(items_);
    }

private:
    static int Pen(double width) { return std::max(1, static_cast<int>(std::lround(width))); }
    int Fx(double f) const { return Round(f * d_.Width); }
    TProfilePoint P(const TWorldPoint& p) const { return {map_.X(p.X), map_.Y(p.Y)}; }

    void Line(int x1, int y1, int x2, int y2, int pen, TProfileInk ink = TProfileInk::Ink)
    {
        items_.push_back({TProfileShape::Line, ink, pen, {{x1, y1}, {x2, y2}}, 0, {}});
    }
    void Polygon(std::vector<TProfilePoint> points, TProfileInk ink)
    {
        items_.push_back({TProfileShape::Polygon, ink, line_, std::move(points), 0, {}});
    }
    void Text(int x, int y, std::string text)
    {
        if (!text.empty())
            items_.push_back({TProfileShape::Text, TProfileInk::Ink, line_, {{x, y}}, 0, std::move(text)});
    }

    // A rectangle of soil of type `tone`, clipped to the device.
    void Soil(int x1, int y1, int x2, int y2, int tone)
    {
        y1 = std::max(y1, 0);
        y2 = std::min(y2, d_.Height);
        if (y2 > y1 && x2 > x1)
            items_.push_back({TProfileShape::Polygon, TProfileInk::Soil, 0, {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, 0, {}, tone});
    }

    void Layers()
    {
        // The tints first, so that no boundary or text is covered: the retained
        // side from the ground surface, the excavation side from the excavation level.
        const int excavation = map_.Y(s_.Excavation);
        for (const TProfileLayer& layer : s_.Layers) {
            const int top = map_.Y(layer.Top), bottom = map_.Y(layer.Bottom);
            Soil(left_, top, mid_, bottom, layer.Tone);
            ExcavationSoil(std::max(top, excavation), bottom, layer.Tone);
        }
        Berm(true);
        for (size_t i = 0; i < s_.Layers.size(); ++i) {
            const TProfileLayer& layer = s_.Layers[i];
            const int top = map_.Y(layer.Top), bottom = map_.Y(layer.Bottom);
            if (i == 0)
                Ground(top);
            Line(left_, bottom, layer.Bottom >= s_.Excavation ? right_ : mid_, bottom, line_);
            Text(textX_, top, layer.Name);
            Text(textX_, top + d_.TextHeight, layer.Parameters);
        }
    }

    // Device pixels of a world length across the wall.
    long double Across(long double length) const { return map_.X(length) - map_.X(0); }
    // The drop of the falling excavation surface per pixel away from the wall; 0 for other ground.
    double SurfaceFall() const
    {
        if (s_.Ground.Kind != ExcavationGroundKind::Slope)
            return 0;
        return std::tan(std::clamp(static_cast<double>(s_.Ground.SlopeAngle), 0.0, 89.0) * kPi / 180);
    }

    // The tint of the excavation side from row `top` to `bottom`: a rectangle,
    // cut to the part below a falling surface.
    void ExcavationSoil(int top, int bottom, int tone)
    {
        const double fall = SurfaceFall();
        if (fall == 0)
            return Soil(mid_, top, right_, bottom, tone);
        top = std::max(top, 0);
        bottom = std::min(bottom, d_.Height);
        const int y0 = map_.Y(s_.Excavation);
        // Below the surface: the distance under it, positive inside.
        auto under = [&](const TProfilePoint& p) { return p.Y - (y0 + fall * (p.X - mid_)); };
        const std::vector<TProfilePoint> box{{mid_, top}, {right_, top}, {right_, bottom}, {mid_, bottom}};
        std::vector<TProfilePoint> cut;
        for (size_t i = 0; i < box.size(); ++i) {
            const TProfilePoint& p = box[i];
            const TProfilePoint& q = box[(i + 1) % box.size()];
            const double up = under(p), uq = under(q);
            if (up >= 0)
                cut.push_back(p);
            if ((up >= 0) != (uq >= 0)) {
                const double t = up / (up - uq);
                cut.push_back({Round(p.X + t * (q.X - p.X)), Round(p.Y + t * (q.Y - p.Y))});
            }
        }
        if (bottom > top && cut.size() >= 3)
            items_.push_back({TProfileShape::Polygon, TProfileInk::Soil, 0, std::move(cut), 0, {}, tone});
    }

    // The berm's device outline from the wall's face: face at its top, the top's edge, the foot.
    std::vector<TProfilePoint> BermPoints() const
    {
        const std::vector<TWorldPoint> world = BermOutline(s_.Ground, 0, s_.Excavation, s_.Top);
        std::vector<TProfilePoint> points;
        for (const TWorldPoint& p : world)
            points.push_back({std::min(right_, Round(mid_ + Across(p.X))), map_.Y(p.Y)});
        return points;
    }

    // The berm tinted as the soil at the excavation level (`tint`), or its outline.
    void Berm(bool tint)
    {
        std::vector<TProfilePoint> points = BermPoints();
        if (points.empty())
            return;
        const TProfilePoint foot = points.back();
        if (tint) {
            int tone = 0;
            for (const TProfileLayer& layer : s_.Layers)
                if (layer.Top < s_.Excavation)
                    tone = layer.Tone;  // the layer that holds the excavation level
            points.insert(points.begin(), {mid_, foot.Y});
            items_.push_back({TProfileShape::Polygon, TProfileInk::Soil, 0, std::move(points), 0, {}, tone});
            return;
        }
        Line(mid_, points[0].Y, points[1].X, points[1].Y, line_);
        Line(points[1].X, points[1].Y, foot.X, foot.Y, line_);
        Line(foot.X, foot.Y, right_, foot.Y, line_);
        Text(points[0].X + Pen(4 * d_.Scale), points[0].Y - d_.TextHeight - Pen(2 * d_.Scale), "berm");
    }

    // The excavation level in front of the wall: a line, a berm standing on it,
    // or a surface falling from the wall with its angle.
    void ExcavationSurface()
    {
        const int y = map_.Y(s_.Excavation);
        if (s_.Ground.Kind == ExcavationGroundKind::Berm)
            return Berm(false);
        const double fall = SurfaceFall();
        if (fall == 0)
            return Line(mid_, y, right_, y, line_);
        double run = right_ - mid_;
        const int ground = map_.Y(map_.View.YMax);
        if (fall * run > ground - y)
            run = (ground - y) / fall;
        Line(mid_, y, Round(mid_ + run), Round(y + fall * run), line_);
        Text(mid_ + Round(run / 2), Round(y + fall * run / 2) - d_.TextHeight - Pen(2 * d_.Scale),
             "slope " + FormatGeneral(static_cast<double>(s_.Ground.SlopeAngle), 8) + "\xC2\xB0");
    }

    // The retained ground surface with its short strokes, or the backfill slope.
    void Ground(int row)
    {
        Line(left_, row, mid_, row, line_);
        if (s_.BackfillSlope == 0) {
            for (int k = 1; k <= 5; ++k) {
                if (d_.Page) {
                    const double printer = d_.Scale * 96.0 / 600.0;
                    const int x = Round(0.35L * d_.Height) + Round(50 * k * printer);
                    Line(x, row, Round(0.365L * d_.Height) + Round(50 * k * printer), row + Round(70 * printer), line_);
                } else {
                    const double u = d_.Scale;
                    Line(Round((100 + 20 * k) * u), row, Round((115 + 20 * k) * u), row + Round(5 * u), line_);
                }
            }
            return;
        }
        // The slope leaves the wall top at beta, upwards away from the wall for
        // a positive beta, and ends at the drawing's edge.
        const double beta = std::clamp(static_cast<double>(s_.BackfillSlope), -89.0, 89.0);
        const double t = std::tan(beta * kPi / 180);
        double run = mid_ - left_;
        // Within the drawing: the client, or the ruled band of the page.
        const int sky = map_.Y(map_.View.YMin), ground = map_.Y(map_.View.YMax);
        const double limit = t > 0 ? row - sky : ground - row;
        if (std::fabs(t) * run > limit)
            run = limit / std::fabs(t);
        const int x = Round(mid_ - run), y = Round(row - t * run);
        if (t > 0 && !s_.Layers.empty()) {
            // The backfill above the wall top is soil of the first layer.
            std::vector<TProfilePoint> wedge{{mid_, row}, {x, y}};
            if (x > left_)
                wedge.push_back({left_, y});
            wedge.push_back({left_, row});
            items_.push_back({TProfileShape::Polygon, TProfileInk::Soil, 0, std::move(wedge), 0, {}, s_.Layers[0].Tone});
        }
        Line(mid_, row, x, y, line_);
        // The angle, above the slope's middle.
        Text((mid_ + x) / 2, (row + y) / 2 - d_.TextHeight - Pen(2 * d_.Scale),
             "\xCE\xB2= " + FormatGeneral(s_.BackfillSlope, 8) + "\xC2\xB0");
    }

    // The water table: a short line under an inverted triangle, with two
    // shorter strokes below it.
    void Water(long double depth, double from, double to)
    {
        const int y = map_.Y(depth), x1 = Fx(from), x2 = Fx(to), c = (x1 + x2) / 2;
        const int size = std::max(4, Round(d_.TextHeight * 0.6L));
        const int pen = d_.Page ? line_ : Pen(1.5 * d_.Scale);
        Line(x1, y, x2, y, pen, TProfileInk::Water);
        Polygon({{c - size * 2 / 3, y - size}, {c + size * 2 / 3, y - size}, {c, y}}, TProfileInk::Water);
        const int half = (x2 - x1) / 2;
        Line(c - half / 2, y + size / 2, c + half / 2, y + size / 2, pen, TProfileInk::Water);
        Line(c - half / 4, y + size, c + half / 4, y + size, pen, TProfileInk::Water);
    }

    void Marks()
    {
        const int tick = Fx(0.01);
        for (long double depth : s_.Restraints) {
            // A support: a triangle with its apex on the wall.
            const int y = map_.Y(depth), x = Fx(0.52);
            Line(mid_, y, x, y, mark_);
            Line(mid_, y, x, y - tick, mark_);
            Line(mid_, y, x, y + tick, mark_);
            Line(x, y - tick, x, y + tick, mark_);
        }
        for (long double depth : s_.PyCurves) {
            // A broken arrow pointing away from the wall into the backfill.
            const int y = map_.Y(depth);
            Line(mid_, y, Fx(0.45), y, mark_);
            Line(Fx(0.43), y, Fx(0.38), y, mark_);
            Line(Fx(0.38), y, Fx(0.4), y - tick, mark_);
            Line(Fx(0.38), y, Fx(0.4), y + tick, mark_);
        }
        for (long double depth : s_.Springs) {
            // A tie-back: the free length from the wall down into the
            // retained soil at 15 degrees, and its bond length drawn heavy.
            const int y = map_.Y(depth);
            const int free = Fx(0.1), bond = Fx(0.06);
            const int y1 = y + Round(free * 0.268L), y2 = y1 + Round(bond * 0.268L);
            Line(mid_, y, mid_ - free, y1, mark_);
            Line(mid_ - free, y1, mid_ - free - bond, y2, spring_);
        }
    }

    // The piles seen from above in a framed inset on the excavation side:
    // five circles of radius Wp at centre spacing 2 Wa (twice true size in
    // both) in a column along the wall line, from the wall top down, drawn at
    // the world scale unless that would make the inset dominate the sketch.
    void TopView()
    {
        const int gap = Pen(6 * d_.Scale);
        const int caption = d_.Page ? std::max(0, map_.Y(map_.View.YMin) - 2 * d_.TextHeight) : Pen(5 * d_.Scale);
        const int top = std::max(map_.Y(s_.Top), caption + d_.TextHeight + 2 * gap);
        const int height = (s_.WallLength > 0 ? map_.Y(s_.WallLength + s_.Top) : d_.Height) - top;
        const long double worldScale =
            (map_.Y(map_.View.YMax) - map_.Y(map_.View.YMin)) / (map_.View.YMax - map_.View.YMin);
        const long double span = 8 * s_.ActiveWidth + 2 * s_.PyWidth;
        const long double scale = std::min({worldScale, std::max(height, 1) * 0.45L / span,
                                            d_.Width * 0.04L / s_.PyWidth});
        const int r = std::max(1, Round(s_.PyWidth * scale));
        // Clear of the depth scale's labels, its caption and "excavation".
        const int x = std::min(Fx(0.84), ScaleLeft() - 2 * gap - r - 2 * gap);
        const int step = Round(2 * s_.ActiveWidth * scale);
        const int last = top + r + 4 * step;
        items_.push_back({TProfileShape::Box, TProfileInk::Ink, line_,
                          {{x - r - 2 * gap, top - gap}, {x + r + 2 * gap, last + r + gap}}, 0, {}});
        if (s_.Continuous()) {
            // Units that touch make a continuous wall: a band along the wall line.
            const int half = std::max(line_, r / 3);
            Polygon({{x - half, top}, {x + half, top}, {x + half, last + r}, {x - half, last + r}}, TProfileInk::Ink);
        } else {
            // The wall line, on which the piles stand.
            Line(x, top + r, x, last, line_);
            for (int k = 0; k < 5; ++k)
                items_.push_back({TProfileShape::Circle, TProfileInk::Ink, circle_, {{x, top + r + step * k}}, r, {}});
        }
        // The captions of both views, each clear of the next: "top view" over
        // the inset but ending before the depth scale, "side view" from the
        // wall, or ending at it where a narrow window leaves no room.
        const int topCaption = std::min(x - Round(0.2L * r), ScaleLeft() - gap - TextWidth("top view"));
        Text(topCaption, caption, "top view");
        int sideCaption = mid_;
        if (sideCaption + TextWidth("side view") + gap > topCaption)
            sideCaption = std::max(0, mid_ - gap - TextWidth("side view"));
        Text(sideCaption, caption, "side view");
    }

    // The text widths the layout reckons with (a device's text is narrower).
    int TextWidth(const std::string& text) const { return Round(0.6L * d_.TextHeight * text.size()); }
    int ScaleAxis() const { return d_.Page ? right_ + Fx(0.06) : d_.Width - Pen(6 * d_.Scale); }
    // Pixels per unit shown on the depth scale; 0 when it has none.
    long double ScalePixels() const
    {
        if (s_.WallLength <= 0 || s_.ScaleUnit <= 0)
            return 0;
        const long double perUnit = (map_.Y(s_.Top + 1000 * s_.ScaleUnit) - map_.Y(s_.Top)) / 1000.0L;
        return std::max<long double>(0, perUnit);
    }
    // The step of the depth scale's labels: round, no closer than three text lines.
    long double ScaleStep(long double perUnit) const
    {
        const int th = d_.TextHeight;
        long double step = 1;
        while (step * perUnit < 3 * th)
            step *= 10;
        while (step / 10 * perUnit >= 3 * th)
            step /= 10;
        if (step / 5 * perUnit >= 3 * th)
            step /= 5;
        else if (step / 2 * perUnit >= 3 * th)
            step /= 2;
        return step;
    }
    // The widest label of the depth scale.
    int ScaleLabels(long double step) const
    {
        int labels = 0;
        const long double length = s_.WallLength / s_.ScaleUnit;
        for (long double v = 0; v <= length * (1 + 1e-9L); v += step)
            labels = std::max(labels, TextWidth(FormatGeneral(v, 6)));
        return labels;
    }
    // The left edge of everything the depth scale writes; the device's width without one.
    int ScaleLeft() const
    {
        const long double perUnit = ScalePixels();
        if (perUnit <= 0)
            return d_.Width;
        const int tick = Pen(5 * d_.Scale), gap = Pen(3 * d_.Scale);
        const int labels = ScaleLabels(ScaleStep(perUnit));
        const long double excavation = s_.Excavation - s_.Top;
        int reach = std::max(TextWidth(s_.ScaleCaption), tick + gap + labels);
        if (excavation > 0 && excavation <= s_.WallLength)
            reach = std::max(reach, 2 * tick + 2 * gap + labels + TextWidth("excavation"));
        return ScaleAxis() - reach;
    }

    // The depth scale at the right edge: depths below the wall top in the
    // scale's unit, ticks at a round step no closer than three text lines,
    // and a longer tick with "excavation" at the excavation level.
    void DepthScale()
    {
        const long double perUnit = ScalePixels();
        if (perUnit <= 0)
            return;
        const int th = d_.TextHeight;
        const auto width = [this](const std::string& text) { return TextWidth(text); };
        const int tick = Pen(5 * d_.Scale), gap = Pen(3 * d_.Scale);
        const int ax = ScaleAxis();
        const int top = map_.Y(s_.Top), tip = map_.Y(s_.Top + s_.WallLength);
        const long double step = ScaleStep(perUnit);
        Line(ax, top, ax, tip, line_);
        const long double length = s_.WallLength / s_.ScaleUnit;
        const int labels = ScaleLabels(step);
        for (long double v = 0; v <= length * (1 + 1e-9L); v += step) {
            const int y = map_.Y(s_.Top + v * s_.ScaleUnit);
            const std::string text = FormatGeneral(v, 6);
            Line(ax - tick, y, ax, y, line_);
            // A label at the tip stays whole on the device.
            Text(ax - tick - gap - width(text), std::min(y - th / 2, d_.Height - th), text);
        }
        Text(ax - width(s_.ScaleCaption), std::max(0, top - 2 * th - gap), s_.ScaleCaption);
        const long double excavation = s_.Excavation - s_.Top;
        if (excavation > 0 && excavation <= s_.WallLength) {
            const int y = map_.Y(s_.Excavation);
            Line(ax - 2 * tick - gap - labels, y, ax, y, mark_);
            // Above the level line, clear of the excavation line itself.
            Text(ax - 2 * tick - 2 * gap - labels - width("excavation"), y - th - gap, "excavation");
        }
    }

    const TProfileScene& s_;
    const TProfileDevice& d_;
    TProfileMapping map_;
    int left_ = 0, mid_ = 0, right_ = 0, textX_ = 0;
    int line_ = 1, mark_ = 2, spring_ = 5, circle_ = 2;
    std::vector<TProfileItem> items_;
};

}  // namespace

std::vector<TProfileItem> LayoutProfile(const TProfileScene& scene, const TWorldWindow& view,
                                        const TProfileDevice& device)
{
    return ProfileLayout(scene, view, device).Run();
}
