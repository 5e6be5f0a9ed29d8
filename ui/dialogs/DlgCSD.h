#pragma once
#include "ui/dialogs/InputDialog.h"
#include "units/Units.h"

class QLabel;

// "Wall Configuration": free height, the widths for active pressure and for
// p-y resistance, the water tables on both sides, the active-pressure factor,
// the backfill slope and the uniform load on the backfill, beside an elevation
// of the wall that names them.
class TdlgCSD : public TInputDialog {
    Q_OBJECT
public:
    explicit TdlgCSD(TWallDocument& document, QWidget* parent = nullptr);

    // The fields, top to bottom (H, Wa, Wp, DWb, DWe, the active-pressure
    // factor, Beta and the load on the backfill).
    TDataEdit* FreeHeight() const { return freeHeight_; }
    TDataEdit* ActiveWidth() const { return activeWidth_; }
    TDataEdit* PyWidth() const { return pyWidth_; }
    TDataEdit* BackfillWaterDepth() const { return backfillWaterDepth_; }
    TDataEdit* ExcavationWaterDepth() const { return excavationWaterDepth_; }
    TDataEdit* ActivePressureFactor() const { return activePressureFactor_; }
    TDataEdit* BackfillSlope() const { return backfillSlope_; }
    TDataEdit* BackfillLoad() const { return backfillLoad_; }

    // What each water depth means for the wall, shown beside its field.
    QLabel* WaterNoteBackfill() const { return waterNotes_[0]; }
    QLabel* WaterNoteExcavation() const { return waterNotes_[1]; }

protected:
    void Load(const TProgramData& wall) override;

private:
    QLabel* Note(const QString& text);
    // The notes beside the water depths, from what the fields now hold.
    void ShowWaterNotes();

    TDataEdit* freeHeight_;
    TDataEdit* activeWidth_;
    TDataEdit* pyWidth_;
    TDataEdit* backfillWaterDepth_;
    TDataEdit* excavationWaterDepth_;
    TDataEdit* activePressureFactor_;
    TDataEdit* backfillSlope_;
    TDataEdit* backfillLoad_;
    QLabel* waterNotes_[2] = {};
    long double wallLength_ = 0;  // data-file units
    UnitSystem unitSystem_ = UnitSystem::English;
};
