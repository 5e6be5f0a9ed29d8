#include "ui/rules/ProfileGeometry.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/TableCells.h"
#include "model/WallSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// An English wall of 100 increments of 3 in (L = 300 in, t0 = 30) with a
// free height of 120 in (a = 3, excavation at world depth 150).
class ProfileScene : public ::testing::Test {
protected:
    void SetUp() override
    {
        wall = TProgramData::CreateNew(host);
        wall->NodeCount = 100;
        wall->IncrementLength = 3;
        wall->WallHeight = 120;
    }
    TGridTable& Table(WallTable t) { return host.tables[t]; }
    // Sets row r of NewSoil: soil type, bottom depth (ft) and the second
    // parameter row's values.
    void Layer(int r, int type, long double bottom, std::vector<long double> values)
    {
        TGridTable& soil = Table(WallTable::NewSoil);
        soil.SetRowCount(std::max(soil.RowCount(), r + 1));
        cells::SetInteger(soil, 0, r, type);
        cells::SetReal(soil, 1, r, bottom);
        for (size_t c = 0; c < values.size(); ++c)
            cells::SetReal(*cells::Sub(soil, 2, r), static_cast<int>(c), 1, values[c]);
    }

    BatchHost host;
    std::unique_ptr<TProgramData> wall;
};

TEST_F(ProfileScene, ReadsTheWallLayersAndMarksInWorldDepths)
{
    Layer(0, 4, 10, {115, 32});
    Layer(1, 1, 40, {110, 600});
    wall->UseRestraints = true;
    Table(WallTable::BoundaryConditions).SetRowCount(1);
    cells::SetInteger(Table(WallTable::BoundaryConditions), 1, 0, 10);
    wall->UseSprings = true;
    Table(WallTable::Springs).SetRowCount(2);
    cells::SetInteger(Table(WallTable::Springs), 1, 0, 5);
    cells::SetInteger(Table(WallTable::Springs), 1, 1, 60);  // below the excavation: not drawn
    wall->WaterDepthBackfill = 60;
    wall->WaterDepthExcavation = 400;  // below the wall tip: not drawn

    const TProfileScene s = ReadProfileScene(*wall, host.tables);
    ASSERT_TRUE(s.Outline);
    EXPECT_EQ(s.Outline->TopLeft.X, -3);
    EXPECT_EQ(s.Outline->TopLeft.Y, 30);
    EXPECT_EQ(s.Outline->BottomRight.X, 3);
    EXPECT_EQ(s.Outline->BottomRight.Y, 330);
    EXPECT_EQ(s.Excavation, 150);
    ASSERT_TRUE(s.ShowSoil);
    ASSERT_EQ(s.Layers.size(), 2u);
    // Feet become inches.
    EXPECT_EQ(s.Layers[0].Top, 30);
    EXPECT_EQ(s.Layers[0].Bottom, 150);
    EXPECT_EQ(s.Layers[1].Top, 150);
    EXPECT_EQ(s.Layers[1].Bottom, 510);
    EXPECT_EQ(s.Layers[0].Name, "Sand");
    EXPECT_EQ(s.Layers[0].Parameters, "\xC3\xB8= 32; gamma= 115");
    EXPECT_EQ(s.Layers[1].Parameters, "c= 600; gamma= 110");
    EXPECT_EQ(s.Restraints, std::vector<long double>{60});
    EXPECT_EQ(s.Springs, std::vector<long double>{45});
    EXPECT_TRUE(s.PyCurves.empty());
    EXPECT_EQ(s.WaterBackfill, 90);
    EXPECT_FALSE(s.WaterExcavation);

    // In SI units depths are metres already.
    wall->SwitchUnits(UnitSystem::SI);
    wall->NodeCount = 10;
    wall->IncrementLength = 1;
    Layer(0, 4, 3, {19, 34});
    EXPECT_EQ(ReadProfileScene(*wall, host.tables).Layers[0].Bottom, 3 + 1);
}

TEST_F(ProfileScene, SoilAndWallFollowTheirInputs)
{
    wall->GeneratePyCurves = false;
    wall->EarthPressureKind = TEarthPressure::ByUser;
    EXPECT_FALSE(ReadProfileScene(*wall, host.tables).ShowSoil);
    wall->EarthPressureKind = TEarthPressure::Triangular;
    EXPECT_TRUE(ReadProfileScene(*wall, host.tables).ShowSoil);

    Table(WallTable::PileSect).SetRowCount(0);
    EXPECT_FALSE(ReadProfileScene(*wall, host.tables).Outline);
}

// The ground in front of the wall is that of the stage shown, in world units
// (inches here: the settings hold metres).
TEST_F(ProfileScene, GroundInFrontOfTheWallComesFromTheStagesSettings)
{
    Layer(0, 4, 40, {115, 32});
    wall->GeneratePyCurves = true;
    TWallSettings settings;
    TExcavationSideSettings berm;
    berm.kind = ExcavationGroundKind::Berm;
    berm.topWidth = 1;
    berm.height = 0.5;
    berm.sideSlope = 30;
    settings.Set(berm);
    const TProfileScene s = ReadProfileScene(*wall, host.tables, settings);
    EXPECT_EQ(s.Ground.Kind, ExcavationGroundKind::Berm);
    EXPECT_NEAR(static_cast<double>(s.Ground.Height), 0.5 / 0.0254, 1e-9);
    wall->CurrentStage = 2;
    EXPECT_EQ(ReadProfileScene(*wall, host.tables, settings).Ground.Kind, ExcavationGroundKind::Level);
}

TEST(LayerText, NamesAndParametersOfEverySoilType)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    TGridTable& soil = host.tables[WallTable::NewSoil];
    soil.SetRowCount(1);
    const struct {
        int type;
        const char* name;
        const char* parameters;
    } cases[] = {
        {2, "Stiff clay w/free water", "c= 2.5; gamma= 1.25"},
        {3, "Stiff clay w/o free water", "c= 2.5; gamma= 1.25"},
        {5, "Silt", "\xC3\xB8= 2.5; c= 0.001; gamma= 1.25"},
        {6, "Rock", "compressive strength= 2.5; gamma= 1.25"},
        {7, "Weak Rock", "compressive strength= 2.5; gamma= 1.25"},
    };
    for (const auto& c : cases) {
        cells::SetInteger(soil, 0, 0, c.type);
        TGridTable* p = cells::Sub(soil, 2, 0);
        cells::SetReal(*p, 0, 1, 1.25L);
        cells::SetReal(*p, 1, 1, 2.5L);
        if (c.type == 5)
            cells::SetReal(*p, 2, 1, 0.001L);
        EXPECT_EQ(LayerName(c.type), c.name);
        EXPECT_EQ(LayerParameters(c.type, p), c.parameters) << c.type;
    }
    EXPECT_EQ(LayerName(0), "");
    EXPECT_EQ(LayerParameters(4, nullptr), "");
}

TEST(ProfileWindows, WorldWindowHoldsTheOriginAndTheWall)
{
    const TWallOutline wall{{-3, 30}, {3, 30}, {-3, 330}, {3, 330}};
    const TWorldWindow w = WorldWindowFor(wall);
    EXPECT_DOUBLE_EQ(static_cast<double>(w.XMin), -3.15);
    EXPECT_DOUBLE_EQ(static_cast<double>(w.XMax), 3.15);
    EXPECT_EQ(w.YMin, 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(w.YMax), 346.5);
    // A wall of no width or length leaves nothing to draw.
    EXPECT_TRUE(WorldWindowFor({}).Degenerate());
}

TEST(ProfileWindows, ViewTakesTheClientsProportions)
{
    const TWorldWindow world{-10, 10, 0, 10};
    // Wide and low: the x range widens about the wall.
    const TWorldWindow wide = ViewWindow(world, 400, 100);
    EXPECT_EQ(wide.XMin, -20);
    EXPECT_EQ(wide.XMax, 20);
    EXPECT_EQ(wide.YMax, 10);
    // Tall and narrow: the depth range extends downwards.
    const TWorldWindow tall = ViewWindow(world, 100, 200);
    EXPECT_EQ(tall.XMax, 10);
    EXPECT_EQ(tall.YMin, 0);
    EXPECT_EQ(tall.YMax, 40);
    // A degenerate world window or an empty client is kept as it is.
    EXPECT_EQ(ViewWindow({0, 0, 0, 10}, 400, 100).XMax, 0);
    EXPECT_EQ(ViewWindow(world, 400, 0).XMax, 10);
}

TEST(ProfileWindows, ScreenAndPageMappings)
{
    const TProfileMapping screen{{-20, 20, 0, 10}, 400, 100, false};
    EXPECT_EQ(screen.X(0), 200);
    EXPECT_EQ(screen.X(-20), 0);
    EXPECT_EQ(screen.Y(2.5), 25);
    EXPECT_EQ(screen.Y(2.54), 25);  // nearest integer
    EXPECT_EQ(screen.Depth(25), 2.5);
    const TProfileMapping page{{-20, 20, 0, 10}, 1000, 800, true};
    EXPECT_EQ(page.X(10), 750);
    EXPECT_EQ(page.Y(0), 80);
    EXPECT_EQ(page.Y(10), 720);
    EXPECT_EQ(page.Depth(400), 5);
    EXPECT_EQ(DepthTitle(123.456L), "  Depth: 123.5");
}

// The items of a drawing that are lines with a given pen, as (x1, y1, x2, y2).
std::vector<std::vector<int>> Lines(const std::vector<TProfileItem>& items, int pen)
{
    std::vector<std::vector<int>> lines;
    for (const TProfileItem& i : items)
        if (i.Shape == TProfileShape::Line && i.Pen == pen && i.Ink == TProfileInk::Ink)
            lines.push_back({i.Points[0].X, i.Points[0].Y, i.Points[1].X, i.Points[1].Y});
    return lines;
}

bool Has(const std::vector<std::vector<int>>& lines, std::vector<int> line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A scene on a 400 x 100 client: view 0..10 deep, one world unit 10 pixels.
TProfileScene TestScene()
{
    TProfileScene s;
    s.Top = 1;
    s.WallLength = 8;
    s.Excavation = 5;
    s.Outline = TWallOutline{{-0.5, 1}, {0.5, 1}, {-0.5, 9}, {0.5, 9}};
    s.ShowSoil = true;
    s.Layers = {{1, 3, "Sand", "p"}, {3, 7, "Soft clay", "q"}};
    s.Restraints = {2};
    s.PyCurves = {6};
    s.Springs = {4};
    return s;
}

TEST(ProfileLayout, ScreenDrawingInPaintingOrder)
{
    const TWorldWindow view{-20, 20, 0, 10};
    const TProfileDevice screen{400, 100, false, 12, 1};
    const std::vector<TProfileItem> items = LayoutProfile(TestScene(), view, screen);
    const auto thin = Lines(items, 1);
    // Ground surface with its strokes, a boundary above the excavation on the
    // retained half, one below it across the client.
    EXPECT_EQ(thin[0], (std::vector<int>{0, 10, 200, 10}));
    EXPECT_EQ(thin[1], (std::vector<int>{120, 10, 135, 15}));
    EXPECT_TRUE(Has(thin, {0, 30, 200, 30}));
    EXPECT_TRUE(Has(thin, {0, 70, 400, 70}));
    EXPECT_TRUE(Has(thin, {200, 50, 400, 50}));  // excavation level
    // Layer texts at the layer's top, the second one text height lower.
    std::vector<std::pair<std::string, int>> texts;
    for (const TProfileItem& i : items)
        if (i.Shape == TProfileShape::Text && i.Points[0].X < 200)
            texts.push_back({i.Text, i.Points[0].Y});
    EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{{"Sand", 10}, {"p", 22}, {"Soft clay", 30}, {"q", 42}}));
    // The wall bar after the layers, before the marks.
    const auto bar = std::find_if(items.begin(), items.end(), [](const TProfileItem& i) {
        return i.Shape == TProfileShape::Polygon && i.Ink == TProfileInk::Ink;
    });
    ASSERT_NE(bar, items.end());
    EXPECT_EQ(bar->Points[0].X, 195);
    EXPECT_EQ(bar->Points[2].Y, 90);
    const auto marks = Lines(items, 2);
    EXPECT_TRUE(Has(marks, {200, 20, 208, 16}));  // restraint at 0.52 w, 0.01 w high
    EXPECT_TRUE(Has(marks, {152, 60, 160, 56}));  // p-y arrow's barb
    // The spring is a tie-back: free length and heavy bond length down into the retained soil.
    EXPECT_TRUE(Has(marks, {200, 40, 160, 51}));
    EXPECT_EQ(Lines(items, 5), (std::vector<std::vector<int>>{{160, 51, 136, 57}}));

    // A wall thinner than three pixels is drawn three pixels wide about its axis.
    TProfileScene hairline = TestScene();
    hairline.Outline = TWallOutline{{-0.05L, 1}, {0.05L, 1}, {-0.05L, 9}, {0.05L, 9}};
    for (const TProfileItem& i : LayoutProfile(hairline, view, screen)) {
        if (i.Shape == TProfileShape::Polygon && i.Ink == TProfileInk::Ink) {
            EXPECT_EQ(i.Points[0].X, 199);
            EXPECT_EQ(i.Points[1].X, 202);
        }
    }

    // Nothing at all while the view is degenerate.
    EXPECT_TRUE(LayoutProfile(TestScene(), {0, 0, 0, 10}, screen).empty());
}

TEST(ProfileLayout, SlopeWaterTopViewAndPage)
{
    TProfileScene s = TestScene();
    s.BackfillSlope = 45;
    s.WaterBackfill = 2;
    s.PyWidth = 0.6;
    s.ActiveWidth = 0.61;  // the units do not touch
    const TWorldWindow view{-20, 20, 0, 10};
    const std::vector<TProfileItem> items = LayoutProfile(s, view, {400, 100, false, 12, 1});
    const auto thin = Lines(items, 1);
    // The slope rises from the wall top away from the wall to the client's top edge.
    EXPECT_TRUE(Has(thin, {200, 10, 190, 0}));
    EXPECT_FALSE(Has(thin, {120, 10, 135, 15}));
    int water = 0, tints = 0, boxes = 0;
    std::vector<int> circles;
    for (const TProfileItem& i : items) {
        water += i.Ink == TProfileInk::Water && i.Shape == TProfileShape::Polygon && i.Points[2].Y == 20;
        tints += i.Ink == TProfileInk::Soil;
        boxes += i.Shape == TProfileShape::Box && circles.empty();
        if (i.Shape == TProfileShape::Circle) {
            circles.push_back(i.Points[0].Y);
            // The column of piles (span 9 Wp) takes at most 45 % of the wall's 61 pixels below the caption.
            EXPECT_EQ(i.Radius, 3);
            // Left of the depth scale's "excavation" and labels (0.84 of the width would cross them).
            EXPECT_EQ(i.Points[0].X, 272);
        }
    }
    EXPECT_EQ(water, 1);
    EXPECT_EQ(circles, (std::vector<int>{32, 38, 44, 50, 56}));
    EXPECT_EQ(boxes, 1);  // the inset's frame under the piles
    // The first layer is tinted behind the wall only, the second on both
    // sides below the excavation; and the wedge under the slope.
    EXPECT_EQ(tints, 4);

    // On paper: depths on the middle 80 %, lines ruled from 10 % to 90 % of the width.
    const std::vector<TProfileItem> page = LayoutProfile(TestScene(), view, {1000, 800, true, 40, 600 / 96.0});
    const auto ruled = Lines(page, 12);
    EXPECT_EQ(ruled[0], (std::vector<int>{100, 144, 500, 144}));
    EXPECT_TRUE(Has(ruled, {100, 528, 900, 528}));
    EXPECT_EQ(Lines(page, 35), (std::vector<std::vector<int>>{{400, 363, 340, 379}}));

    // Touching units (Wp = Wa) are a continuous wall in plan: a band, no circles.
    s.PyWidth = s.ActiveWidth;
    int circlesOfTouching = 0, bands = 0;
    for (const TProfileItem& i : LayoutProfile(s, view, {400, 100, false, 12, 1})) {
        circlesOfTouching += i.Shape == TProfileShape::Circle;
        bands += i.Shape == TProfileShape::Polygon && i.Ink == TProfileInk::Ink && i.Points[0].X > 250;
    }
    EXPECT_EQ(circlesOfTouching, 0);
    EXPECT_EQ(bands, 1);
}

// A berm 2 wide, 1 high, its side at 45 deg stands on the excavation level
// (row 50) from the wall's face (column 200): its top at row 40 to column 220,
// its foot at column 230, where the excavation line goes on; the tint of the
// layer at the excavation level fills it. A surface falling at 45 deg runs to
// the view's bottom (row 100) and the soil in front is tinted only below it.
TEST(ProfileLayout, BermAndFallingSurfaceInFrontOfTheWall)
{
    const TWorldWindow view{-20, 20, 0, 10};
    const TProfileDevice screen{400, 100, false, 12, 1};
    EXPECT_NEAR(static_cast<double>(BermOutline({ExcavationGroundKind::Berm, 2, 1, 45, 0}, 0, 5, 1).back().X), 3, 1e-12);
    TProfileScene s = TestScene();
    s.Ground = {ExcavationGroundKind::Berm, 2, 1, 45, 0};
    std::vector<TProfileItem> items = LayoutProfile(s, view, screen);
    auto thin = Lines(items, 1);
    EXPECT_TRUE(Has(thin, {200, 40, 220, 40}));
    EXPECT_TRUE(Has(thin, {220, 40, 230, 50}));
    EXPECT_TRUE(Has(thin, {230, 50, 400, 50}));
    EXPECT_FALSE(Has(thin, {200, 50, 400, 50}));
    const auto tint = std::find_if(items.begin(), items.end(), [](const TProfileItem& i) {
        return i.Ink == TProfileInk::Soil && i.Points.size() == 4 && i.Points[1].Y == 40;
    });
    ASSERT_NE(tint, items.end());
    EXPECT_EQ(tint->Points[3].X, 230);

    s.Ground = {ExcavationGroundKind::Slope, 0, 0, 90, 45};
    items = LayoutProfile(s, view, screen);
    thin = Lines(items, 1);
    EXPECT_TRUE(Has(thin, {200, 50, 250, 100}));
    EXPECT_FALSE(Has(thin, {200, 50, 400, 50}));
    for (const TProfileItem& i : items)
        if (i.Ink == TProfileInk::Soil && i.Points.front().X >= 200)
            for (const TProfilePoint& p : i.Points)
                EXPECT_GE(p.Y, 50 + (p.X - 200)) << p.X;
}

// The plan inset stands clear of everything the depth scale writes, no two
// texts overlap (the captions of both views included), at the side view's own
// size and in a narrow window beside a dialog, and the tip's depth label stays
// whole on the device.
TEST(ProfileLayout, TextsStandClearOfEachOtherAndOfTheTopViewAndTheTipLabelIsWhole)
{
    TProfileScene s = TestScene();  // wall top at world 1, tip at 9, excavation at 5
    s.PyWidth = 0.6;
    s.ActiveWidth = 1.2;
    s.ScaleUnit = 1;
    s.ScaleCaption = "Depth (m)";
    struct Box {
        int left, top, right, bottom;
        bool Apart(const Box& o) const { return right <= o.left || left >= o.right || bottom <= o.top || top >= o.bottom; }
    };
    for (const TProfileDevice screen : {TProfileDevice{572, 404, false, 16, 1}, TProfileDevice{430, 360, false, 16, 1}}) {
        const TWorldWindow world = WorldWindowFor(*s.Outline);
        const std::vector<TProfileItem> items = LayoutProfile(s, ViewWindow(world, screen.Width, screen.Height), screen);
        const auto frame = std::find_if(items.begin(), items.end(),
                                        [](const TProfileItem& i) { return i.Shape == TProfileShape::Box; });
        ASSERT_NE(frame, items.end());
        const Box inset{frame->Points[0].X, frame->Points[0].Y, frame->Points[1].X, frame->Points[1].Y};
        std::vector<std::pair<std::string, Box>> texts;
        for (const TProfileItem& i : items)
            if (i.Shape == TProfileShape::Text)
                texts.push_back({i.Text, {i.Points[0].X, i.Points[0].Y,
                                          i.Points[0].X + static_cast<int>(0.6 * 16 * i.Text.size()), i.Points[0].Y + 16}});
        for (size_t a = 0; a < texts.size(); ++a) {
            const auto& [text, box] = texts[a];
            if (text != "top view" && text != "side view")
                EXPECT_TRUE(box.Apart(inset)) << '"' << text << "\" overlaps the top view at width " << screen.Width;
            if (box.left > screen.Width / 2)
                EXPECT_LE(box.bottom, screen.Height) << '"' << text << "\" is cut off at width " << screen.Width;
            for (size_t b = a + 1; b < texts.size(); ++b)
                EXPECT_TRUE(box.Apart(texts[b].second))
                    << '"' << text << "\" overlaps \"" << texts[b].first << "\" at width " << screen.Width;
        }
    }
}

// A depth scale at the right edge from the wall top (0) to the tip, in round
// steps, with the excavation level marked.
TEST(ProfileLayout, DepthScaleWithTheExcavationLevel)
{
    TProfileScene s = TestScene();  // wall top at world 1, tip at 9, excavation at 5
    s.ScaleUnit = 1;
    s.ScaleCaption = "Depth (m)";
    const std::vector<TProfileItem> items = LayoutProfile(s, {-20, 20, 0, 10}, {400, 100, false, 12, 1});
    std::vector<std::pair<std::string, int>> texts;
    for (const TProfileItem& i : items)
        if (i.Shape == TProfileShape::Text && i.Points[0].X > 250)
            texts.push_back({i.Text, i.Points[0].Y});
    EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{
                         {"0", 4}, {"5", 54}, {"Depth (m)", 0}, {"excavation", 35}}));
    const auto thin = Lines(items, 1);
    EXPECT_TRUE(Has(thin, {394, 10, 394, 90}));  // the axis, wall top to tip
    EXPECT_TRUE(Has(thin, {389, 60, 394, 60}));  // the tick at 5
    const auto marks = Lines(items, 2);
    EXPECT_TRUE(std::any_of(marks.begin(), marks.end(), [](const std::vector<int>& l) {
        return l[1] == 50 && l[3] == 50 && l[2] == 394;  // the excavation's long tick
    }));
}

}  // namespace
