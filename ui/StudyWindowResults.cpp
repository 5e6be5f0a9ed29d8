// The Study window's results: the tornado chart, the histograms of F and of
// the largest moment, the probability of failure, the summary and the export
// of the rows.
#include "ui/StudyWindow.h"

#include "model/AtomicFile.h"
#include "ui/StudyCharts.h"
#include "ui/StudyRun.h"
#include "ui/rules/StudyDisplay.h"
#include "units/Prompt.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>
#include <filesystem>

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QComboBox* OutputChoice(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setAccessibleName(name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

// A row of a caption and a choice of output above a chart.
QVBoxLayout* ChartColumn(QWidget* parent, const char* caption, QComboBox* choice, QWidget* chart)
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(caption, parent);
    label->setBuddy(choice);
    row->addWidget(label);
    row->addWidget(choice);
    row->addStretch(1);
    auto* column = new QVBoxLayout;
    column->addLayout(row);
    column->addWidget(chart, 1);
    return column;
}

// Fills `combo` with `names`, keeping the name chosen before when it is among them.
void Offer(QComboBox& combo, const std::vector<std::string>& names)
{
    const QString before = combo.currentText();
    QSignalBlocker quiet(combo);
    combo.clear();
    for (const std::string& n : names)
        combo.addItem(Text(n));
    const int again = combo.findText(before);
    combo.setCurrentIndex(again >= 0 ? again : 0);
}

const study::Column* ColumnNamed(const std::vector<study::Column>& columns, const QString& name)
{
    for (const study::Column& c : columns)
        if (Text(c.name) == name)
            return &c;
    return nullptr;
}

}  // namespace

QWidget* TStudyWindow::MakeResults()
{
    pages_ = new QTabWidget(this);
    pages_->setAccessibleName("Study results");
    auto* tornadoPage = new QWidget(pages_);
    tornadoOutput_ = OutputChoice(tornadoPage, "Output of the tornado chart");
    tornado_ = new TTornadoChart(tornadoPage);
    // Many parameters, or a large font, scroll the chart rather than crowd its bars.
    auto* tornadoScroll = new QScrollArea(tornadoPage);
    tornadoScroll->setAccessibleName("Tornado chart, scrolled");
    tornadoScroll->setWidget(tornado_);
    tornadoScroll->setWidgetResizable(true);
    tornadoScroll->setFrameShape(QFrame::NoFrame);
    tornadoPage->setLayout(ChartColumn(tornadoPage, "&Output:", tornadoOutput_, tornadoScroll));
    auto* histogramPage = new QWidget(pages_);
    fOutput_ = OutputChoice(histogramPage, "Output of the histogram of F");
    momentOutput_ = OutputChoice(histogramPage, "Output of the histogram of the moment");
    fHistogram_ = new THistogramChart(histogramPage);
    fHistogram_->setAccessibleName("Histogram of F");
    momentHistogram_ = new THistogramChart(histogramPage);
    momentHistogram_->setAccessibleName("Histogram of the largest moment");
    auto* both = new QHBoxLayout(histogramPage);
    both->addLayout(ChartColumn(histogramPage, "&F:", fOutput_, fHistogram_), 1);
    both->addLayout(ChartColumn(histogramPage, "Moment:", momentOutput_, momentHistogram_), 1);
    summary_ = new QPlainTextEdit(pages_);
    summary_->setAccessibleName("Study summary");
    summary_->setReadOnly(true);
    summary_->setLineWrapMode(QPlainTextEdit::NoWrap);
    summary_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    pages_->addTab(tornadoPage, "&Tornado");
    pages_->addTab(histogramPage, "&Histograms");
    pages_->addTab(summary_, "&Summary");

    auto* page = new QWidget(this);
    failure_ = new QLabel(page);
    failure_->setAccessibleName("Probability of failure");
    failure_->setWordWrap(true);
    failure_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    export_ = new QPushButton("E&xport Rows as CSV...", page);
    export_->setAccessibleName("Export rows as CSV");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(failure_, 1);
    bottom->addWidget(export_);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_, 1);
    layout->addLayout(bottom);
    connect(tornadoOutput_, &QComboBox::currentIndexChanged, this, [this] { ShowTornado(); });
    connect(fOutput_, &QComboBox::currentIndexChanged, this, [this] { ShowHistograms(); });
    connect(momentOutput_, &QComboBox::currentIndexChanged, this, [this] { ShowHistograms(); });
    connect(export_, &QPushButton::clicked, this, &TStudyWindow::ExportCsv);
    return page;
}

void TStudyWindow::Finished(std::shared_ptr<const study::StudyResult> result, const std::string& error)
{
    if (!result) {
        SetRunning(false);
        progress_->setText("The study stopped.");
        prompt_.Information("The study could not be run: " + error);
        return;
    }
    result_ = std::move(result);
    SetRunning(false);
    bar_->setValue(static_cast<int>(std::min<long>(static_cast<long>(result_->rows.size()), bar_->maximum())));
    const std::string rows = std::to_string(result_->rows.size()) + " of " +
                             std::to_string(study::RealisationCount(definition_)) + " analyses";
    progress_->setText(Text(result_->cancelled ? "Cancelled after " + rows + "." : "Done: " + rows + "."));
    ShowResult();
    if (done_ && !result_->rows.empty())
        done_(study::SummaryText(definition_, *result_));
}

void TStudyWindow::ShowResult()
{
    std::vector<std::string> outputs;
    for (const study::Column& c : result_->outputs)
        outputs.push_back(c.name);
    Offer(*tornadoOutput_, outputs);
    std::vector<std::string> moments = MomentOutputs(result_->outputs);
    if (!moments.empty() && tornadoOutput_->findText(Text(moments.front())) >= 0)
        tornadoOutput_->setCurrentIndex(tornadoOutput_->findText(Text(moments.front())));
    Offer(*fOutput_, SafetyFactorOutputs(result_->outputs));
    Offer(*momentOutput_, moments);
    ShowTornado();
    ShowHistograms();
    const study::Summary& s = result_->summary;
    failure_->setText(s.failure ? Text(FailureText(*s.failure)) : QString());
    summary_->setPlainText(Text(study::SummaryText(definition_, *result_)));
    pages_->setCurrentIndex(definition_.kind == study::StudyKind::Sensitivity ? 0 : 1);
}

void TStudyWindow::ShowTornado()
{
    if (!result_)
        return;
    const study::Column* column = ColumnNamed(result_->outputs, tornadoOutput_->currentText());
    tornado_->SetChart(column ? TornadoOf(*result_, column->name) : TornadoChartData(),
                       column ? OutputCaption(*column) : std::string());
}

void TStudyWindow::ShowHistograms()
{
    if (!result_)
        return;
    const auto show = [this](THistogramChart& chart, const QComboBox& choice, std::optional<double> limit) {
        const study::Column* column = ColumnNamed(result_->outputs, choice.currentText());
        const std::vector<double> values = column ? OutputValues(*result_, column->name) : std::vector<double>();
        chart.SetChart(HistogramOf(values, HistogramBinCount(values.size())),
                       column ? OutputCaption(*column) + ": realisations per bin of " +
                                    std::to_string(values.size())
                              : std::string("Not computed"),
                       limit);
    };
    show(*fHistogram_, *fOutput_, 1.0);
    show(*momentHistogram_, *momentOutput_, std::nullopt);
}

void TStudyWindow::ExportCsv()
{
    if (!result_ || result_->rows.empty())
        return;
    // Proposed beside the wall's data file, under its name.
    const std::filesystem::path wall(wallName_);
    const std::string proposal = (wall.parent_path() / (wall.stem().string() + "-study.csv")).string();
    const auto chosen = prompt_.SaveFileName("Export Study Rows as CSV", "CSV files (*.csv)", proposal);
    if (!chosen)
        return;
    std::string name = *chosen;
    if (QFileInfo(Text(name)).suffix().isEmpty())
        name += ".csv";
    try {
        WriteFileAtomically(name, study::RowsCsv(*result_));
    } catch (const std::exception& e) {
        prompt_.Information(std::string("The rows were not written: ") + e.what());
        return;
    }
    prompt_.Information("The study's " + std::to_string(result_->rows.size()) + " rows were written to " +
                        QFileInfo(Text(name)).absoluteFilePath().toStdString() + ".");
}
