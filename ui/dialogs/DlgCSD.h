#pragma once
#include "ui/dialogs/InputDialog.h"

class QLabel;

// "Wall Configuration": free height, the widths for active pressure and for
// p-y resistance, the water tables on both sides, the active-pressure factor,
// the backfill slope and the uniform load on the backfill, beside an elevation
// of the wall that names them.
class TdlgCSD : public TInputDialog {
    Q_OBJECT
public:
    explicit TdlgCSD(MainWindowHost& host, QWidget* parent = nullptr);

    TDataEdit* deHL() const { return deHL_; }
    TDataEdit* deWidth() const { return deWidth_; }
    TDataEdit* dePYW() const { return dePYW_; }
    TDataEdit* deHW() const { return deHW_; }
    TDataEdit* DeHW2() const { return DeHW2_; }
    TDataEdit* deGw() const { return deGw_; }
    TDataEdit* beta() const { return beta_; }
    TDataEdit* deSP() const { return deSP_; }

    // What each water depth means for the wall, shown beside its field.
    QLabel* WaterNoteBackfill() const { return waterNotes_[0]; }
    QLabel* WaterNoteExcavation() const { return waterNotes_[1]; }

protected:
    void Load(const TProgramData& wall) override;

private:
    QLabel* Note(const QString& text);
    // The notes beside the water depths, from what the fields now hold.
    void ShowWaterNotes();

    TDataEdit* deHL_;
    TDataEdit* deWidth_;
    TDataEdit* dePYW_;
    TDataEdit* deHW_;
    TDataEdit* DeHW2_;
    TDataEdit* deGw_;
    TDataEdit* beta_;
    TDataEdit* deSP_;
    QLabel* waterNotes_[2] = {};
    long double wallLength_ = 0;  // data-file units
    int unitSystem_ = 1;
};
