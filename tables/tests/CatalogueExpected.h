#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The 25 wall tables as the program must build them, written out by hand so
// that the catalogue data and its generator are checked against an
// independent statement of every table.

namespace expected {

enum Kind { Choice = 0, Integer = 1, Real = 2, SubTable = 3 };

struct Column {
    Kind ColumnKind = Real;
    std::vector<std::string> Captions;
    std::vector<std::string> Choices;  // choice columns
    std::int32_t Default = 0;          // integer columns
    std::int32_t Min = 0;
    std::int32_t Max = 0;
    std::string Dimension;             // real columns
    long double RealDefault = 0;
    std::vector<std::int32_t> Templates;  // sub-table columns
};

struct Table {
    std::string Name;
    std::int32_t Identifier;
    std::string Caption;
    std::int32_t MinRows;
    std::int32_t MaxRows;
    bool HardwiredButton;
    std::string TopLeft;
    std::string Comments;
    std::vector<Column> Columns;
};

inline std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

inline Column MakeColumn(Kind kind, std::vector<std::string> captions)
{
    Column c;
    c.ColumnKind = kind;
    c.Captions = std::move(captions);
    return c;
}

inline Column ChoiceColumn(std::vector<std::string> captions, std::vector<std::string> choices)
{
    Column c = MakeColumn(Choice, std::move(captions));
    c.Choices = std::move(choices);
    return c;
}

inline Column IntegerColumn(std::vector<std::string> captions, std::int32_t def, std::int32_t min, std::int32_t max)
{
    Column c = MakeColumn(Integer, std::move(captions));
    c.Default = def;
    c.Min = min;
    c.Max = max;
    return c;
}

inline Column RealColumn(std::vector<std::string> captions, std::string dimension, long double def = 0)
{
    Column c = MakeColumn(Real, std::move(captions));
    c.Dimension = std::move(dimension);
    c.RealDefault = def;
    return c;
}

inline Column SubTableColumn(std::vector<std::string> captions, std::vector<std::int32_t> templates)
{
    Column c = MakeColumn(SubTable, std::move(captions));
    c.Templates = std::move(templates);
    return c;
}

constexpr std::int32_t IntMin = -2147483647 - 1;
constexpr std::int32_t IntMax = 2147483647;
constexpr std::int32_t NodeMax = 2147483600;

inline std::vector<Table> WallTables()
{
    const std::string interpolate = "Linear Interpolate to End Node of Next Line";
    const std::string lineInterpolation =
        "Linear interpolation (when selected) is performed from START node of previous line to END node of the following line.";
    const std::vector<std::string> soilTypes = {"Soft Clay", "Stiff Clay with Free Water", "Stiff Clay w/o Free Water", "Sand",
                                                "Silt (c-phi soil)", "Strong Rock", "Weak Rock"};
    std::vector<std::string> longSoilTypes = soilTypes;
    longSoilTypes[1] = "Stiff Clay with Free water";
    const std::vector<std::int32_t> soilTemplates = {18, 18, 18, 17, 29, 30, 31};
    const std::string p = "\r" + Spaces(5);
    return {
        {"PileSect", 15, "Wall Stiffness", 1, 10, true, "Section",
         "The nodal number at the top of the wall is set to be 0.\r"
         "Values of Flexural Stiffness (EI) must be specified for all nodes of the wall.\r" + lineInterpolation,
         {IntegerColumn({"From Node No. (Start)"}, 0, 0, NodeMax), IntegerColumn({"To Node No. (End)"}, 1, 0, IntMax),
          ChoiceColumn({"Constant or Interpolate?" + Spaces(34)}, {"Use Constant Value for all Nodes on this Line", interpolate}),
          RealColumn({"Flexural Stiffness (EI)"}, "F-L^2")}},
        {"SoilLayers", 2, "Specify Deflection & Slope Restrains", 1, 10, true, "Layer", "",
         {ChoiceColumn({"Case" + Spaces(41)}, {"Specify Deflection", "Specify Slope", ""}),
          IntegerColumn({"Nodal No."}, 0, 0, NodeMax), RealColumn({"Deflection"}, "L"), RealColumn({"Slope"}, "")}},
        {"SoilWeight", 3, "Soil Weight", 2, 20, true, "Point", "",
         {RealColumn({"Depth"}, "L2"), RealColumn({"Unit Weight"}, "F/L2^3")}},
        {"SoilStrength", 4, "Lateral Spring and Rotation Spring", 1, 20, true, "Point",
         "The spring stiffnesses are applied at nodal points only (including the specified START and END nodes).\r" +
             lineInterpolation,
         {ChoiceColumn({"Constant or Interpolate?" + Spaces(38)},
                       {"Use Constant Values for all Nodes on this Line" + Spaces(2), interpolate}),
          IntegerColumn({"From Node No.", Spaces(5) + "(Start)"}, 0, 0, IntMax),
          IntegerColumn({"To Node No.", Spaces(3) + "(End)"}, 0, IntMin, IntMax),
          RealColumn({"Lateral Spring", "Stiffness"}, "F/L"), RealColumn({"Rotational Spr.", "Stiff."}, "F-L/RAD.")}},
        {"PYMod", 16, "p-y Modification Factors", 2, 30, true, "", "",
         {RealColumn({"Depth"}, "L2"), RealColumn({"p-Multiplier"}, "", 1), RealColumn({"y-Multiplier"}, "", 1)}},
        {"PYCurves", 20, "Sets of Ext. p-y Curves", 2, 30, true, "", "",
         {IntegerColumn({"Nodal #" + Spaces(1)}, 0, IntMin, IntMax), SubTableColumn({"Curve Sets"}, {21}),
          RealColumn({"Multiplier for", "p-value"}, "", 1), RealColumn({"Multiplier for", "y-value"}, "", 1)}},
        {"PYCurve", 21, "External p-y Curve", 2, 17, true, "Point",
         "* Use negative (-) values for deflections to the left (to backfill)" + p +
             "and positive (+) to the right (to excavation).\r"
             "Lateral movement (y) should start from negative deflection" + p +
             "(towards backfill) and gradually increase to positive" + p +
             "deflection (towards excavation) for the range of the response.\r"
             "Positive soil resistance (p) should correspond to the negative" + p +
             "soil movement (-y) and negative soil resistance (-p) should" + p +
             "correspond to the positive soil movement (y).",
         {RealColumn({"Lateral Deflection, y (*)"}, "L"), RealColumn({"Soil Resistance, p"}, "F/L")}},
        {"DistLoad", 22, "Distributed Loads", 2, 100, true, "", "",
         {RealColumn({"Depth measured from the top of the wall,"}, "L2"),
          RealColumn({"Lateral distributed line load," + Spaces(1)}, "F/L2")}},
        {"BoundCond", 123, "Concentrated Loads on Wall", 1, 20, true, "",
         "The concentrated loads are applied at nodal points only (including the specified START and END nodes).\r" +
             lineInterpolation,
         {ChoiceColumn({"Constant or Interpolate?" + Spaces(34)}, {"Use Constant Values for all Nodes on this Line", interpolate}),
          IntegerColumn({"From Node No.", "(Start)"}, 0, 0, NodeMax), IntegerColumn({"To Node No.", "(End)"}, 1, 0, IntMax),
          RealColumn({"Lateral Load"}, "F"), RealColumn({"Moment"}, "F-L"), RealColumn({"Axial Load"}, "F")}},
        {"TipRes", 124, "User-Specified Earth Pressure", 2, 15, true, "Point", "",
         {RealColumn({"Depth"}, "L2"), RealColumn({"tip load"}, "F/L")}},
        {"PYOutpt", 25, "Printing Depths", 1, 10, true, "Curve No", "", {RealColumn({"Depth"}, "L2")}},
        {"AxLoads", 26, "Soil Layer Data", 1, 10, true, "Number", "",
         {ChoiceColumn({"Soil Type"}, {"Soft clay", "Stiff clay w/ free water", "Stiff clay w/o free water", "Sand", "Silt", "Rock"}),
          RealColumn({"Layer", "Thick.,"}, "L2"), RealColumn({"Total Unit", "Wt,"}, "F/L2^3"),
          RealColumn({"Cohesion,", " "}, "F/L2^2"), RealColumn({"Friction", "Angle (deg.)"}, ""), RealColumn({"E50"}, ""),
          RealColumn({"K,", ""}, "F/L^3")}},
        {"Rows", 27, "Moment and EI data", 1, 100, true, "Point", "",
         {RealColumn({"Bending moment", ""}, "F-L"), RealColumn({"Flexural rigidity", ""}, "F-L^2")}},
        {"Soillayer", 0, "Specify Deflection and Slope on Wall", 1, 10, true, "No", "",
         {ChoiceColumn({"Case" + Spaces(43)}, {"Specify Deflection", "Specify Slope"}),
          IntegerColumn({"Nodal No."}, 0, 0, NodeMax), RealColumn({"Deflection"}, "L"), RealColumn({"Slope"}, "")}},
        {"LongDist", 104, "Distributed Load (Long-Term)", 1, 0, false, "", "",
         {RealColumn({"Depth measured from the top of the wall,"}, "L2"), RealColumn({"Lateral distributed line load,"}, "F/L2")}},
        {"LongSoilOld", 105, "Soil Layers (Long-Term)", 1, 10, false, "", "",
         {IntegerColumn({"Soil type"}, 0, 0, IntMax), RealColumn({"Layer", "thick.,"}, "L2"),
          RealColumn({"Total Unit", "Wt,"}, "F/L2^3"), RealColumn({"Cohesion,", ""}, "F/L2^2"),
          RealColumn({"Friction", "Angle (deg.)"}, ""), RealColumn({"E50"}, ""), RealColumn({"K,", ""}, "F/L^3")}},
        {"TblSand1", 17, "Sand", 2, 2, false, "", "",
         {RealColumn({"Total Unit", "Weight,"}, "F/L2^3"), RealColumn({"Friction", "Angle, deg."}, ""),
          RealColumn({"k(py)"}, "F/L^3")}},
        {"TblClay1", 18, "Clay", 2, 2, false, "", "",
         {RealColumn({"Total Unit", "Weight,"}, "F/L2^3"), RealColumn({"Cohesive", "Strength,"}, "F/L2^2"),
          RealColumn({"E50", ""}, ""), RealColumn({"k(py)"}, "F/L^3")}},
        {"NewSoil", 19, "Soil Layers", 1, 10, false, "", "",
         {ChoiceColumn({"Soil" + Spaces(1), "Type"}, soilTypes), RealColumn({"Depth at Bottom", "of the Layer,"}, "L2"),
          SubTableColumn({"Edit Soil", "Parameters"}, soilTemplates)}},
        {"TblSilt1", 29, "Silt", 2, 2, false, "", "",
         {RealColumn({"Total Unit" + Spaces(1), "Weight,"}, "F/L2^3"), RealColumn({"Friction", "Angle, deg."}, ""),
          RealColumn({"Cohesive", "Strength,"}, "F/L2^2"), RealColumn({"E50", ""}, ""), RealColumn({"K(py)"}, "F/L^3")}},
        {"TblRock1", 30, "Strong Rock", 2, 2, false, "", "",
         {RealColumn({"Total Unit", "Weight,"}, "F/L2^3"), RealColumn({"Uniaxial Compressive", "Strength,"}, "F/L^2")}},
        {"TblRock2", 31, "Weak Rock", 2, 2, false, "",
         "* krm is a strain constant that seve to establish the overall stiffness of the curves",
         {RealColumn({"Total Unit", "Weight,"}, "F/L2^3"), RealColumn({"Uniaxial Compressive", "Strength,"}, "F/L^2"),
          RealColumn({"krm *"}, ""), RealColumn({"Elastic", "Modulus,"}, "F/L^2"), RealColumn({"RQD", "%"}, "")}},
        {"LongSoil", 44, "Soil Layers (Long-Term)", 1, 10, false, "", "",
         {ChoiceColumn({"Soil", "Type"}, longSoilTypes), RealColumn({"Depth at Bottom", "of the Layer,"}, "L2"),
          SubTableColumn({"Edit Soil", "Parameters"}, soilTemplates)}},
        {"SurchargeTable", 23, "Surcharge Loads", 1, 20, false, "",
         "The unit for point load is lbs or kN \rThe unit for line load is lbs/in. or kN/m \r"
         "The unit for strip load is lbs/in^2 or kN/m^2 ",
         {ChoiceColumn({"Load Types"}, {"Point Load", "Line Load", "Strip Load"}), RealColumn({"Load Magnitude"}, "SEE NOTES"),
          RealColumn({"Distance, X"}, "L1"), RealColumn({"Width of Strip Load, W"}, "L1")}},
        {"MEICurves", 24, "Nonlinear Moment vs EI Curves", 1, 20, false, "Section", "",
         {IntegerColumn({"From Node No.", "(Start)"}, 0, 0, IntMax), IntegerColumn({"To Node No.", "(End)"}, 0, 0, IntMax),
          SubTableColumn({}, {27})}},
    };
}

} // namespace expected
