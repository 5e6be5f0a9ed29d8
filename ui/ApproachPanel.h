#pragma once
#include <QWidget>

#include "model/WallSettings.h"

#include <functional>

class Prompt;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

// The design approach of a wall as the Design Checks window edits it: the
// approach (none, DA1, DA2, DA3), the unplanned-excavation switch and the
// partial factors as a table (name, set, value) whose values are edited in
// place, with a button that restores the recommended values. Every change
// the user makes is handed to the callback as settings whose approach part
// is the panel's.
class TApproachPanel : public QWidget {
public:
    // A typed value that is no partial factor is refused through `prompt`.
    TApproachPanel(QWidget* parent, Prompt& prompt);

    // Shows the approach part of `settings`; raises no change.
    void SetSettings(const TWallSettings& settings);
    // The settings last shown with the panel's approach, factors and switch.
    const TWallSettings& Settings() const { return settings_; }
    // Called after each change the user makes.
    void OnChange(std::function<void(const TWallSettings&)> changed) { changed_ = std::move(changed); }

    QComboBox* Approach() const { return approach_; }
    QCheckBox* UnplannedExcavation() const { return unplanned_; }
    QTableWidget* Factors() const { return factors_; }
    QPushButton* RecommendedButton() const { return recommended_; }

private:
    void FillFactors();
    void FactorEdited(int row, int column);
    void Changed();

    Prompt& prompt_;
    TWallSettings settings_;
    std::function<void(const TWallSettings&)> changed_;
    bool filling_ = false;
    QComboBox* approach_;
    QCheckBox* unplanned_;
    QTableWidget* factors_;
    QPushButton* recommended_;
};
