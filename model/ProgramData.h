#pragma once
#include "model/AtomicFile.h"
#include "model/DiskStamp.h"
#include "model/EarthPressure.h"
#include "model/FileLayout.h"
#include "model/PrivateFolder.h"
#include "model/WallTableRows.h"
#include "units/Units.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TWallDocument;

// The surcharge of the older file layouts: kept from the file and written back.
struct TLegacySurcharge {
    long double Distance = 0;
    long double PointLoad = 0;
    long double LineLoad = 0;
    long double StripLoad = 0;
    long double StripWidth = 0;
};

// The open wall: every scalar input of the analysis, the options that decide
// which input tables take part, the unit system, the title, the file names and
// the construction-stage state. Scalars are held in the units of the data file
// (English: inches, pounds, psi; SI: metres, kilonewtons). The tabular inputs
// live in the document's input tables, which outlive the wall.
class TProgramData {
public:
    // A new wall with the defaults for `document` (empties its tables to their
    // minimum rows of defaults, marks the document saved).
    static std::unique_ptr<TProgramData> CreateNew(TWallDocument& document);
    // A wall for `document` read from the data file at `path` in `layout`. A
    // reading error ends the reading: its message is added to `diagnostics` and
    // the wall read so far is returned; a file that cannot be opened gives a
    // wall with the defaults. Text after a wall of one stage is not read; a
    // diagnostic says where it starts (TextAfterTheWallMessage).
    static std::unique_ptr<TProgramData> CreateFromFile(TWallDocument& document, const std::string& path,
                                                        TFileLayout layout, std::vector<std::string>& diagnostics);
    // As above, the diagnostics shown through the document's prompt (the command line and the tests).
    static std::unique_ptr<TProgramData> CreateFromFile(TWallDocument& document, const std::string& path,
                                                        TFileLayout layout);

    TProgramData(const TProgramData&) = delete;
    TProgramData& operator=(const TProgramData&) = delete;

    // Writes the data file named by FileName, replacing it atomically; changes
    // the wall and its tables as saving does (emptied tables of switched-off
    // options, recomputed header options). EInOutError when the file cannot be
    // written; the previous file is then untouched.
    void WriteDataFile();
    // The same, with `alongside` written in the same group (WriteFilesTogether):
    // all of them are replaced, or none is.
    void WriteDataFile(const std::vector<TFileWrite>& alongside);
    // The whole text of the data file WriteDataFile writes, with the same
    // changes to the wall; for callers that place the text themselves.
    std::string DataFileText();

    // Moves the wall to unit system `system`, converting its scalars and every input table.
    // A switch that would take a value beyond the range of every value
    // (units/ValueRange.h) is refused: the document's prompt says which value, nothing
    // changes, and the result is false.
    bool SwitchUnits(::UnitSystem system);
    // Why SwitchUnits(system) would be refused, naming the value; empty when it would not.
    std::string UnitSwitchProblem(::UnitSystem system) const;
    // Changed only by SwitchUnits.
    ::UnitSystem UnitSystem() const { return unitSystem_; }
    // The document this wall belongs to: its tables, modified state and prompt.
    TWallDocument& Document() const { return document_; }

    // The file name of a wall that was never saved: it has no files of its own.
    static const std::string& UntitledFileName();
    // Whether the wall was never saved: its file name is UntitledFileName().
    bool NeverSaved() const { return FileName == UntitledFileName(); }

    // Names and files.
    std::string FileName = UntitledFileName();
    std::string Title = "New Wall";
    std::string StageFileName;
    std::string StagedSaveName;
    std::string PreviousFileName;

    // Analysis control.
    std::int32_t NodeCount = 0;
    long double IncrementLength = 0;
    long double MaxDeflection = 100;
    long double ClosureTolerance = 0.00001L;
    long double WallHeight = 0;

    // Wall configuration and generated loads.
    long double ActiveWidth = 0;
    long double PyWidth = 0;
    long double WaterDepthBackfill = 0;
    long double WaterDepthExcavation = 0;
    long double ActivePressureFactor = 1.0L;
    long double BackfillSlope = 0;
    std::int32_t ConfigurationCode = 1;
    long double TopSurcharge = 0;
    TLegacySurcharge LegacySurcharge;

    // Options: each decides whether an input table takes part.
    bool UseRestraints = false;
    bool UseConcentratedLoads = false;
    bool UseSprings = false;
    bool UsePyModifiers = false;
    bool UseExternalPyCurves = false;
    bool UseMeiCurves = false;
    bool UseSurcharge = false;
    // The earth pressure; header item 5 of each block is derived from it (and
    // from GeneratePyCurves) when writing.
    TEarthPressure EarthPressureKind = TEarthPressure::None;
    bool GeneratePyCurves = true;
    // The data file's marker line follows from it when writing.
    bool LongTermAnalysis = false;
    // Header items 6 and 9, derived when writing.
    std::int32_t PyCurveOption = 0;
    std::int32_t MeiCurveCount = 0;

    // Construction stages.
    std::int32_t StageCount = 1;
    std::int32_t CurrentStage = 1;
    bool StageFilesCurrent = true;
    // The working copies of the stages: this instance's own, whatever the
    // wall's folder allows; the stage files beside the wall change only on Save.
    TPrivateFolder StageFolder{"torvik-stages-"};
    // The data file as this instance last read or wrote it.
    TDiskStamp DiskStamp;

    // From the last plot data read; not part of the data file.
    std::int32_t PressurePointCount = 0;
    // The rows the reader added to the tables for the editor; never written.
    TablePadding Padding;

private:
    explicit TProgramData(TWallDocument& document) : document_(document) {}

    TWallDocument& document_;
    ::UnitSystem unitSystem_ = ::UnitSystem::English;
};

// The reader's message for text after the end of a wall (or of a stage file),
// starting at line `line` (0-based).
std::string TextAfterTheWallMessage(int line);
