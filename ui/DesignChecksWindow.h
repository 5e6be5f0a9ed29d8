#pragma once
#include <QDialog>

#include "checks/DesignChecks.h"
#include "ui/LiveRun.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class Prompt;
class QScrollArea;
class TApproachPanel;
class QLabel;
class QPushButton;
class QTableWidget;
class TDataEdit;
class TUtilisationView;

// Computation > Design Checks: the design checks of the saved wall in two
// tables, a row per stage or case: the embedment (safety factor, its limit,
// required tip, mobilised passive resistance, limit-equilibrium values), and
// the section and anchors (bending and shear utilisation with their depths,
// force per anchor and utilisation), the governing values marked; beside them
// the utilisation against depth as a graph; the ground (basal heave, and per
// anchor its fixed length beyond the active wedge and the Kranz factor); with the target safety factor to
// check against and a Recompute button. The design approach with its partial
// factors is edited on a page of its own and stored in the wall's settings;
// with an approach, a page holds per stage a table of its combinations, the
// governing one marked. Modeless, one at a time. The cells are those of the
// calculation report.
class TDesignChecksWindow : public QDialog {
    Q_OBJECT

public:
    // Checks `wallFile` (the data file as saved); messages go through `prompt`.
    TDesignChecksWindow(QWidget* parent, Prompt& prompt, const std::string& wallFile);

    // Shows the window of `parent` for `wallFile`, creating it and running the
    // checks the first time, rechecking the file it was given afterwards.
    static TDesignChecksWindow* Show(QWidget* parent, Prompt& prompt, const std::string& wallFile);

    // Runs the checks at the target factor of the field and refills the table;
    // a target that is not a number from 1 to 10 is reported and nothing runs.
    void Recompute();

    // Analyse As You Edit: shows the checks made of the wall as edited, taken
    // in memory as `input`, whose results lie beside `dataFile` (Recompute
    // checks that input again).
    void ShowLiveReport(const std::string& dataFile, std::shared_ptr<const TLiveInput> input,
                        const checks::DesignCheckReport& report);
    // The checks shown describe an earlier state of the wall: the title says
    // "not current", and a banner at the top of the body says `reason` (why)
    // and that the checks below are those of the earlier state.
    void MarkNotCurrent(bool notCurrent, const std::string& reason = "");
    // Called with the wall's settings after the user changed the design
    // approach part of them (the settings file beside the data file is
    // written by the window itself), so that the open wall takes them too.
    void OnSettingsChanged(std::function<void(const TWallSettings&)> changed) { settingsChanged_ = std::move(changed); }
    // The target factor in the field, or none while it holds no valid number.
    std::optional<double> TargetFactor() const;

    QTableWidget* Table() const { return table_; }
    QTableWidget* UtilisationTable() const { return utilisation_; }
    QTableWidget* GroundTable() const { return ground_; }
    TUtilisationView* UtilisationGraph() const { return graph_; }
    TDataEdit* Target() const { return target_; }
    QPushButton* RecomputeButton() const { return recompute_; }
    QLabel* Summary() const { return summary_; }
    TApproachPanel* ApproachPanel() const { return approach_; }
    // The tables of the combinations, one per stage, in order; none without an approach.
    std::vector<QTableWidget*> CombinationTables() const;
    QLabel* Remarks() const { return remarks_; }
    // The banner over the checks while they are not current; hidden otherwise.
    QLabel* Banner() const { return banner_; }

private:
    void SetWall(const std::string& wallFile);
    void ShowReport(const checks::DesignCheckReport& report);
    void ShowCombinations(const checks::DesignCheckReport& report);
    void ApproachChanged(const TWallSettings& settings);

    Prompt& prompt_;
    std::string wallFile_;
    std::shared_ptr<const TLiveInput> liveInput_;  // the wall as edited, while its checks are shown
    QLabel* file_;
    TDataEdit* target_;
    QPushButton* recompute_;
    QTableWidget* table_;
    QTableWidget* utilisation_;
    QTableWidget* ground_;
    TUtilisationView* graph_;
    QLabel* summary_;
    QLabel* remarks_;
    QLabel* banner_;
    TApproachPanel* approach_;
    QScrollArea* combinations_;
    std::function<void(const TWallSettings&)> settingsChanged_;
};
