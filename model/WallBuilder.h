#pragma once
// A wall built through the program's own model and tables and saved by its
// writer: how the verification, the engine's tests and the examples make their data files.
#include "model/BatchHost.h"
#include "model/BlockWriter.h"
#include "model/ProgramData.h"
#include "tables/Data.h"
#include "tables/GridTable.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class WallBuilder {
public:
    // A new wall in `units` with n increments of length h
    // (file units), no earth pressure and no p-y curves.
    WallBuilder(UnitSystem units, int n, double h) : wall(TProgramData::CreateNew(host))
    {
        wall->SwitchUnits(units);
        wall->NodeCount = n;
        wall->IncrementLength = h;
        wall->MaxDeflection = 1e6;
        wall->ClosureTolerance = 1e-10;
        wall->WallHeight = 0;
        wall->GeneratePyCurves = false;
        wall->EarthPressureKind = TEarthPressure::None;
        for (WallTable t : {WallTable::BoundaryConditions, WallTable::ConcentratedLoads, WallTable::Springs, WallTable::PYMod,
                            WallTable::PYCurves, WallTable::MEICurves, WallTable::SurchargeTable, WallTable::DistLoad,
                            WallTable::NewSoil, WallTable::PileSect, WallTable::LongSoil, WallTable::LongDist})
            Table(t).SetRowCount(0);
    }

    TGridTable& Table(WallTable t) { return host.tables[t]; }

    // Appends a row and sets its cells: integers for the listed integer columns, reals otherwise.
    int AddRow(WallTable t, const std::vector<std::pair<int, double>>& cells, const std::vector<int>& integerColumns)
    {
        TGridTable& table = Table(t);
        const int r = table.RowCount();
        table.SetRowCount(r + 1);
        for (const auto& [c, v] : cells) {
            bool integer = false;
            for (int ic : integerColumns)
                integer = integer || ic == c;
            if (integer)
                table.Cell(c, r).SetAsInteger(static_cast<int>(v));
            else
                table.Cell(c, r).SetAsFloat(v);
        }
        return r;
    }

    // EI for nodes from..to (choice 1 constant, 2 interpolate).
    void Stiffness(int from, int to, double ei, int choice = 1)
    {
        AddRow(WallTable::PileSect, {{0, from}, {1, to}, {2, choice}, {3, ei}}, {0, 1, 2});
    }
    // Lateral load, moment and axial load at nodes from..to.
    void Load(int from, int to, double f, double m = 0, double axial = 0, int choice = 1)
    {
        wall->UseConcentratedLoads = true;
        AddRow(WallTable::ConcentratedLoads, {{0, choice}, {1, from}, {2, to}, {3, f}, {4, m}, {5, axial}}, {0, 1, 2});
    }
    // Lateral and rotational springs at nodes from..to.
    void Spring(int from, int to, double k, double kr = 0, int choice = 1)
    {
        wall->UseSprings = true;
        AddRow(WallTable::Springs, {{0, choice}, {1, from}, {2, to}, {3, k}, {4, kr}}, {0, 1, 2});
    }
    // A specified deflection (case 1) or slope (case 2) at a node.
    void Restraint(int kind, int node, double value)
    {
        wall->UseRestraints = true;
        AddRow(WallTable::BoundaryConditions, {{0, kind}, {1, node}, {2, kind == 1 ? value : 0}, {3, kind == 2 ? value : 0}},
               {0, 1});
    }
    // A point of the user-specified distributed load (table units: depth, load per length).
    void UserLoad(double depth, double load)
    {
        wall->EarthPressureKind = TEarthPressure::ByUser;
        AddRow(WallTable::DistLoad, {{0, depth}, {1, load}}, {});
    }
    // A soil layer (table units) with its parameter rows at the top and the bottom.
    void Layer(int type, double bottom, const std::vector<double>& top, const std::vector<double>& bottomRow,
               WallTable which = WallTable::NewSoil)
    {
        TGridTable& t = Table(which);
        const int r = t.RowCount();
        t.SetRowCount(r + 1);
        t.Cell(0, r).SetAsInteger(type);
        t.Cell(1, r).SetAsFloat(bottom);
        TGridTable* p = t.Cell(2, r).AsTable();
        p->SetRowCount(2);
        for (size_t c = 0; c < top.size(); ++c) {
            p->Cell(static_cast<int>(c), 0).SetAsFloat(top[c]);
            p->Cell(static_cast<int>(c), 1).SetAsFloat(bottomRow[c]);
        }
    }
    // A surcharge load: type 1 point, 2 line, 3 strip.
    void Surcharge(int type, double magnitude, double x, double w = 0)
    {
        wall->UseSurcharge = true;
        AddRow(WallTable::SurchargeTable, {{0, type}, {1, magnitude}, {2, x}, {3, w}}, {0});
    }
    // An external p-y curve at a node: (y, p) points, p positive for negative y.
    void ExternalCurve(int node, const std::vector<std::pair<double, double>>& points, double fp = 1, double fy = 1)
    {
        wall->UseExternalPyCurves = true;
        const int r = AddRow(WallTable::PYCurves, {{0, node}, {2, fp}, {3, fy}}, {0});
        TGridTable* curve = Table(WallTable::PYCurves).Cell(1, r).AsTable();
        curve->SetRowCount(static_cast<int>(points.size()));
        for (size_t i = 0; i < points.size(); ++i) {
            curve->Cell(0, static_cast<int>(i)).SetAsFloat(points[i].first);
            curve->Cell(1, static_cast<int>(i)).SetAsFloat(points[i].second);
        }
    }
    // A moment-EI curve for nodes from..to: (moment, EI) points.
    void MomentEi(int from, int to, const std::vector<std::pair<double, double>>& points)
    {
        wall->UseMeiCurves = true;
        const int r = AddRow(WallTable::MEICurves, {{0, from}, {1, to}}, {0, 1});
        TGridTable* rows = Table(WallTable::MEICurves).Cell(2, r).AsTable();
        rows->SetRowCount(static_cast<int>(points.size()));
        for (size_t i = 0; i < points.size(); ++i) {
            rows->Cell(0, static_cast<int>(i)).SetAsFloat(points[i].first);
            rows->Cell(1, static_cast<int>(i)).SetAsFloat(points[i].second);
        }
    }
    // Generated earth pressure (or none) and generated p-y curves.
    void Generated(TEarthPressure kind, double excavation, double activeWidth, double pyWidth)
    {
        wall->EarthPressureKind = kind;
        wall->GeneratePyCurves = true;
        wall->WallHeight = excavation;
        wall->ActiveWidth = activeWidth;
        wall->PyWidth = pyWidth;
    }

    // The text of a staged data file: the wall as it is at each stage (set by
    // `stage`), each block written by the program's block writer.
    std::string StagedText(int stages, const std::function<void(TProgramData&, int)>& stage)
    {
        std::string text;
        for (int k = 1; k <= stages; ++k) {
            wall->StageCount = stages;
            stage(*wall, k);
            TBlockWriter writer(*wall, text);
            writer.WriteBlock({k == 1 ? wall->Title : " Stage No : " + std::to_string(k), false,
                               TGeneratedPressure::TrapezoidOrTriangular});
            writer.WriteLine(std::to_string(k));
        }
        return text;
    }

    // Saves the wall as `path` with the program's writer.
    void Save(const std::string& path)
    {
        wall->FileName = path;
        wall->WriteDataFile();
    }
    // The text the writer produces.
    std::string Text() { return wall->DataFileText(); }

    BatchHost host;
    std::unique_ptr<TProgramData> wall;
};
