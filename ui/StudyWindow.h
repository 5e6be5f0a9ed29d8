#pragma once
#include "study/Study.h"
#include "ui/rules/StudyEntry.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class Prompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class THistogramChart;
class TStudyRun;
class TTornadoChart;

// Computation > Study: a study of the open wall over many analyses. The user
// picks the kind (sensitivity, sweep, Monte Carlo), adds the parameters the
// wall has with the wall's value shown, and gives per parameter its range,
// its values or its distribution, the count, seed and sampling, and what to
// compute. The study runs in the background with a progress bar, its rate
// and the time left, and Cancel; the window then shows the tornado chart,
// histograms of F and of the largest moment, the probability of failure
// with beta and the summary, and exports the rows as CSV. Modeless, one at a
// time; every message goes through the prompt.
class TStudyWindow : public QDialog {
    Q_OBJECT

public:
    // The wall a study varies, taken when a study starts (the open wall as it is then).
    using WallSource = std::function<study::StudyWall()>;

    // `wallName` names the wall in the window; `wall` is taken at once for
    // the parameters it offers (and again at every run).
    TStudyWindow(QWidget* parent, Prompt& prompt, WallSource wall, const std::string& wallName);
    ~TStudyWindow() override;

    // Shows the window of `parent`, creating it the first time; a window
    // already open takes the wall anew for its parameters.
    static TStudyWindow* Show(QWidget* parent, Prompt& prompt, WallSource wall, const std::string& wallName);

    // Called when a study has finished (or was cancelled with rows done), with its summary in words.
    void OnStudyDone(std::function<void(const std::string& summary)> done) { done_ = std::move(done); }

    // Adds the parameter chosen in the list; one already in the table is not added again.
    void AddParameter();
    // Reads the fields and starts the study; a problem in them is said and nothing runs.
    void Run();
    // Asks the running study to stop; the rows done are shown.
    void Cancel();
    // Asks for a file name and writes the rows as CSV.
    void ExportCsv();
    bool Running() const;
    // The result shown; none before the first study.
    const study::StudyResult* Result() const { return result_.get(); }

    QComboBox* Kind() const { return kind_; }
    QComboBox* ParameterChoice() const { return choice_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RemoveButton() const { return remove_; }
    QTableWidget* Parameters() const { return table_; }
    QLineEdit* Count() const { return count_; }
    QLineEdit* Seed() const { return seed_; }
    QCheckBox* LatinHypercube() const { return latin_; }
    QCheckBox* Grid() const { return grid_; }
    QPushButton* RunButton() const { return run_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* ExportButton() const { return export_; }
    QProgressBar* ProgressBar() const { return bar_; }
    QLabel* ProgressLabel() const { return progress_; }
    QTabWidget* Pages() const { return pages_; }
    QComboBox* TornadoOutput() const { return tornadoOutput_; }
    TTornadoChart* Tornado() const { return tornado_; }
    THistogramChart* SafetyFactorHistogram() const { return fHistogram_; }
    THistogramChart* MomentHistogram() const { return momentHistogram_; }
    QLabel* Failure() const { return failure_; }

protected:
    // Closing the window, by its Close button, the title bar or Escape, stops a
    // running study and loses its rows: the window asks first.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // True when no study runs, or the user agrees to stop it.
    bool MayStop();
    QWidget* MakeSetUp();
    void LayOutSetUp(QWidget* page);
    QWidget* MakeResults();
    void TakeWall();
    void KindChanged();
    void AppendRow(const StudyParameterEntry& entry);
    void DistributionChanged(int row);
    StudyEntry Entry() const;
    void Progress(const study::Progress& progress);
    void Finished(std::shared_ptr<const study::StudyResult> result, const std::string& error);
    void ShowResult();
    void ShowTornado();
    void ShowHistograms();
    void SetRunning(bool running);

    Prompt& prompt_;
    WallSource wall_;
    std::string wallName_;
    std::vector<study::ParameterAddress> addresses_;
    std::unique_ptr<TStudyRun> run_job_;
    std::shared_ptr<const study::StudyResult> result_;
    study::StudyDefinition definition_;  // of the result shown
    std::function<void(const std::string&)> done_;

    QLabel* wallLabel_;
    QComboBox* kind_;
    QComboBox* choice_;
    QPushButton* add_;
    QPushButton* remove_;
    QTableWidget* table_;
    QLineEdit* count_;
    QLineEdit* seed_;
    QCheckBox* latin_;
    QCheckBox* grid_;
    QCheckBox* maxima_;
    QCheckBox* anchors_;
    QCheckBox* factor_;
    QCheckBox* checks_;
    QPushButton* run_;
    QPushButton* cancel_;
    QPushButton* export_;
    QProgressBar* bar_;
    QLabel* progress_;
    QTabWidget* pages_;
    QComboBox* tornadoOutput_;
    TTornadoChart* tornado_;
    QComboBox* fOutput_;
    QComboBox* momentOutput_;
    THistogramChart* fHistogram_;
    THistogramChart* momentHistogram_;
    QLabel* failure_;
    QPlainTextEdit* summary_;
};
