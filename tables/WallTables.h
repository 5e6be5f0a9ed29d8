#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tables/TableRegistry.h"
#include "units/Units.h"

class TGridTable;

// The input tables of a wall, in the order of the catalogue (the value is the
// table's index). Each is named by what it holds; where the component name of
// the catalogue and the data files differs, it follows in quotes.
enum class WallTable : int {
    PileSect,        // wall stiffness sections
    Restraints,          // "SoilLayers": deflection and slope restraints
    SoilWeight,      // unit weight against depth
    Springs,             // "SoilStrength": lateral and rotational springs
    PYMod,           // p-y modification factors
    PYCurves,        // sets of external p-y curves
    PYCurve,         // template of one external p-y curve
    DistLoad,        // distributed earth pressure (short-term)
    ConcentratedLoads,   // "BoundCond": concentrated loads on the wall
    UserEarthPressure,   // "TipRes": user-specified earth pressure
    PYOutpt,         // printing depths of p-y curves
    OldLayoutSoil,       // "AxLoads": soil layer data of the older layout
    MeiCurve,            // "Rows": template of one moment-versus-EI curve
    BoundaryConditions,  // "Soillayer": deflection and slope boundary conditions
    LongDist,        // distributed earth pressure (long-term)
    LongSoilOld,     // long-term soil layers of the older layout
    TblSand1,        // parameter template: sand
    TblClay1,        // parameter template: clay
    NewSoil,         // soil layers (short-term)
    TblSilt1,        // parameter template: silt
    TblRock1,        // parameter template: strong rock
    TblRock2,        // parameter template: weak rock
    LongSoil,        // soil layers (long-term)
    SurchargeTable,  // surcharge loads
    MEICurves        // sets of nonlinear moment-versus-EI curves
};

// Owns the 25 input tables of a wall. They are created once, each from its
// stored definition, and outlive every wall of their document: a new or opened
// wall empties and refills them. Each set has its own table scope, in which its
// tables find their sub-table templates by Identifier, so that any number of
// sets (one per document) live side by side.
class WallTables {
public:
    // Number of tables.
    static constexpr int Count = 25;

    // Creates every table, sets its properties and comment text and reads its
    // columns from its definition; TorvikError on a faulty definition.
    WallTables();
    // Frees the tables (and with them every sub-table).
    ~WallTables();
    WallTables(const WallTables&) = delete;
    WallTables& operator=(const WallTables&) = delete;

    // The table at a catalogue index 0 .. Count - 1; TorvikError "Index out of bounds" otherwise.
    TGridTable& Table(int index) const;
    // The table of a component name.
    TGridTable& Table(WallTable which) const { return Table(static_cast<int>(which)); }
    // The table of a component name.
    TGridTable& operator[](WallTable which) const { return Table(which); }
    // The table named `name` ("NewSoil", ...; case matters), or nullptr.
    TGridTable* Find(const std::string& name) const;

    // Component name of the table at a catalogue index; TorvikError "Index out of bounds" otherwise.
    static std::string Name(int index);
    // Component name of a table.
    static std::string Name(WallTable which) { return Name(static_cast<int>(which)); }
    // Catalogue index of one of these tables, -1 for any other table.
    int IndexOf(const TGridTable& table) const;

    // Switches every table (and its sub-tables) to unit system 1, 2 or 3.
    void SetUnitSystem(UnitSystem system);
    // The first cell that SetUnitSystem(system) would take beyond the range of
    // every value, described for a message; empty when none.
    std::string UnitSwitchProblem(UnitSystem system) const;
    // True when any table (or sub-table) was modified.
    bool Changed() const;
    // Clears the modified state of every table.
    void ResetChanged();

    // Installs the function that opens the editors of these tables and their sub-tables.
    void SetEditorOpener(TEditorOpener opener) { FScope->SetEditorOpener(std::move(opener)); }

private:
    // Declared first: the tables leave it as they go.
    std::unique_ptr<TTableScope> FScope;
    std::vector<std::unique_ptr<TGridTable>> FTables;
};
