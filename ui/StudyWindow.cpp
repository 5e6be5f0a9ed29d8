// The Study window's set-up: the kind, the parameters and their fields, the
// sampling and what to compute, and the run with its progress and Cancel.
// What it shows of a result is in StudyWindowResults.cpp.
#include "ui/StudyWindow.h"

#include "ui/StudyCharts.h"
#include "ui/StudyRun.h"
#include "ui/rules/StudyDisplay.h"
#include "units/NumberFormat.h"
#include "units/Prompt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The table's heading of each column, in the order of StudyColumn.
const char* const ColumnHeadings[] = {"Parameter", "In the wall", "Low", "High", "± %", "Values",
                                      "Distribution", "Mean", "Deviation", "Lower bound", "Upper bound"};
static_assert(sizeof(ColumnHeadings) / sizeof(*ColumnHeadings) == static_cast<std::size_t>(StudyColumn::Count_));

int Col(StudyColumn c) { return static_cast<int>(c); }

QCheckBox* Check(QWidget* parent, const char* caption, const char* name, bool on)
{
    auto* box = new QCheckBox(caption, parent);
    box->setAccessibleName(name);
    box->setChecked(on);
    return box;
}

QPushButton* Button(QWidget* parent, const char* caption, const char* name)
{
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(name);
    return button;
}

QLineEdit* Field(QWidget* parent, const char* text, const char* name)
{
    auto* field = new QLineEdit(text, parent);
    field->setAccessibleName(name);
    return field;
}

}  // namespace

TStudyWindow::TStudyWindow(QWidget* parent, Prompt& prompt, WallSource wall, const std::string& wallName)
    : QDialog(parent), prompt_(prompt), wall_(std::move(wall)), wallName_(wallName), run_job_(new TStudyRun)
{
    setWindowTitle("Study");
    setObjectName("StudyWindow");
    run_job_->OnProgress([this](const study::Progress& p) { Progress(p); });
    run_job_->OnFinished([this](std::shared_ptr<const study::StudyResult> r, const std::string& e) { Finished(r, e); });
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setAccessibleName("Study set-up and results");
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(MakeSetUp());
    splitter->addWidget(MakeResults());
    splitter->setStretchFactor(1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName("Close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(1100, 820);
    TakeWall();
    KindChanged();
    SetRunning(false);
}

TStudyWindow::~TStudyWindow() = default;

QWidget* TStudyWindow::MakeSetUp()
{
    auto* page = new QWidget(this);
    wallLabel_ = new QLabel(page);
    wallLabel_->setAccessibleName("Wall studied");
    wallLabel_->setWordWrap(true);
    kind_ = new QComboBox(page);
    kind_->setAccessibleName("Kind of study");
    for (const std::string& name : StudyKindNames())
        kind_->addItem(Text(name));
    choice_ = new QComboBox(page);
    choice_->setAccessibleName("Parameter to add");
    add_ = Button(page, "&Add", "Add parameter");
    remove_ = Button(page, "Remo&ve", "Remove parameter");
    table_ = new QTableWidget(0, static_cast<int>(StudyColumn::Count_), page);
    table_->setAccessibleName("Parameters varied");
    QStringList headings;
    for (const char* h : ColumnHeadings)
        headings << h;
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    count_ = Field(page, "1000", "Count of realisations");
    seed_ = Field(page, "1", "Seed");
    latin_ = Check(page, "&Latin hypercube", "Latin hypercube sampling", false);
    grid_ = Check(page, "&Grid of every combination", "Grid sweep", false);
    maxima_ = Check(page, "&Maxima", "Compute the maxima", true);
    anchors_ = Check(page, "Anchor forc&es", "Compute the anchor forces", true);
    factor_ = Check(page, "Safet&y factor F", "Compute the safety factor F", false);
    checks_ = Check(page, "Des&ign checks", "Compute the design checks", false);
    run_ = Button(page, "&Run Study", "Run study");
    cancel_ = Button(page, "&Cancel", "Cancel study");
    bar_ = new QProgressBar(page);
    bar_->setAccessibleName("Study progress");
    progress_ = new QLabel(page);
    progress_->setAccessibleName("Study progress in words");
    LayOutSetUp(page);
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { KindChanged(); });
    connect(add_, &QPushButton::clicked, this, &TStudyWindow::AddParameter);
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0)
            table_->removeRow(table_->currentRow());
    });
    connect(run_, &QPushButton::clicked, this, &TStudyWindow::Run);
    connect(cancel_, &QPushButton::clicked, this, &TStudyWindow::Cancel);
    return page;
}

void TStudyWindow::LayOutSetUp(QWidget* page)
{
    auto* top = new QFormLayout;
    top->addRow(wallLabel_);
    auto* kindLabel = new QLabel("&Kind:", page);
    kindLabel->setBuddy(kind_);
    top->addRow(kindLabel, kind_);
    auto* adding = new QHBoxLayout;
    auto* choiceLabel = new QLabel("&Parameter:", page);
    choiceLabel->setBuddy(choice_);
    adding->addWidget(choiceLabel);
    adding->addWidget(choice_, 1);
    adding->addWidget(add_);
    adding->addWidget(remove_);
    auto* sampling = new QHBoxLayout;
    auto* countLabel = new QLabel("Cou&nt:", page);
    countLabel->setBuddy(count_);
    auto* seedLabel = new QLabel("See&d:", page);
    seedLabel->setBuddy(seed_);
    for (QWidget* w : std::initializer_list<QWidget*>{countLabel, count_, seedLabel, seed_, latin_, grid_})
        sampling->addWidget(w);
    sampling->addStretch(1);
    auto* computed = new QHBoxLayout;
    computed->addWidget(new QLabel("Compute:", page));
    for (QWidget* w : std::initializer_list<QWidget*>{maxima_, anchors_, factor_, checks_})
        computed->addWidget(w);
    computed->addStretch(1);
    auto* running = new QHBoxLayout;
    running->addWidget(run_);
    running->addWidget(cancel_);
    running->addWidget(bar_, 1);
    running->addWidget(progress_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(adding);
    layout->addWidget(table_, 1);
    layout->addLayout(sampling);
    layout->addLayout(computed);
    layout->addLayout(running);
}

TStudyWindow* TStudyWindow::Show(QWidget* parent, Prompt& prompt, WallSource wall, const std::string& wallName)
{
    auto* window = parent ? parent->findChild<TStudyWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new TStudyWindow(parent, prompt, std::move(wall), wallName);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        window->wall_ = std::move(wall);
        window->wallName_ = wallName;
        window->TakeWall();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void TStudyWindow::TakeWall()
{
    wallLabel_->setText(Text("The study varies " + wallName_ + " as it is when the study starts."));
    try {
        addresses_ = study::ParameterAddresses(wall_());
    } catch (const std::exception& e) {
        addresses_.clear();
        prompt_.Information(std::string("The wall offers no parameters to vary: ") + e.what());
    }
    choice_->clear();
    for (const study::ParameterAddress& a : addresses_)
        choice_->addItem(Text(a.address + " = " + FormatGeneral(a.value, 6) + (a.unit.empty() ? "" : " " + a.unit)));
}

void TStudyWindow::AddParameter()
{
    const int i = choice_->currentIndex();
    if (i < 0 || i >= static_cast<int>(addresses_.size()))
        return;
    const study::ParameterAddress& a = addresses_[static_cast<std::size_t>(i)];
    for (int r = 0; r < table_->rowCount(); ++r)
        if (table_->item(r, Col(StudyColumn::Parameter))->text() == Text(a.address)) {
            table_->selectRow(r);
            return;
        }
    AppendRow(DefaultEntry(a));
}

void TStudyWindow::AppendRow(const StudyParameterEntry& e)
{
    const int row = table_->rowCount();
    table_->insertRow(row);
    const auto put = [&](StudyColumn c, const std::string& text, bool editable) {
        auto* item = new QTableWidgetItem(Text(text));
        if (!editable)
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table_->setItem(row, Col(c), item);
    };
    put(StudyColumn::Parameter, e.address, false);
    put(StudyColumn::WallValue, FormatGeneral(e.wallValue, 6) + (e.unit.empty() ? "" : " " + e.unit), false);
    table_->item(row, Col(StudyColumn::WallValue))->setData(Qt::UserRole, e.wallValue);
    put(StudyColumn::Low, e.low, true);
    put(StudyColumn::High, e.high, true);
    put(StudyColumn::Percent, e.percent, true);
    put(StudyColumn::Values, e.values, true);
    put(StudyColumn::Distribution, "", false);
    put(StudyColumn::Mean, e.mean, true);
    put(StudyColumn::Deviation, e.deviation, true);
    put(StudyColumn::LowerBound, e.lowerBound, true);
    put(StudyColumn::UpperBound, e.upperBound, true);
    auto* distribution = new QComboBox(table_);
    distribution->setAccessibleName(Text("Distribution of " + e.address));
    for (const std::string& name : DistributionNames())
        distribution->addItem(Text(name));
    distribution->setCurrentIndex(static_cast<int>(e.distribution));
    table_->setCellWidget(row, Col(StudyColumn::Distribution), distribution);
    connect(distribution, &QComboBox::currentIndexChanged, this, [this, distribution] {
        for (int r = 0; r < table_->rowCount(); ++r)
            if (table_->cellWidget(r, Col(StudyColumn::Distribution)) == distribution)
                DistributionChanged(r);
    });
    DistributionChanged(row);
    table_->selectRow(row);
}

void TStudyWindow::DistributionChanged(int row)
{
    const auto* combo = static_cast<QComboBox*>(table_->cellWidget(row, Col(StudyColumn::Distribution)));
    const auto kind = static_cast<study::DistributionKind>(combo->currentIndex());
    for (StudyColumn c : {StudyColumn::Mean, StudyColumn::Deviation, StudyColumn::LowerBound, StudyColumn::UpperBound}) {
        QTableWidgetItem* item = table_->item(row, Col(c));
        const bool takes = DistributionTakes(kind, c);
        item->setFlags(takes ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::ItemIsSelectable);
        item->setToolTip(takes ? QString() : "Not a parameter of this distribution.");
    }
}

void TStudyWindow::KindChanged()
{
    const auto kind = static_cast<study::StudyKind>(kind_->currentIndex());
    for (int c = 0; c < static_cast<int>(StudyColumn::Count_); ++c)
        table_->setColumnHidden(c, !StudyColumnShown(kind, static_cast<StudyColumn>(c)));
    count_->setEnabled(StudySamples(kind));
    seed_->setEnabled(StudySamples(kind));
    latin_->setEnabled(StudySamples(kind));
    grid_->setEnabled(StudyHasGrid(kind));
}

StudyEntry TStudyWindow::Entry() const
{
    StudyEntry entry;
    entry.kind = static_cast<study::StudyKind>(kind_->currentIndex());
    const auto cell = [this](int r, StudyColumn c) { return table_->item(r, Col(c))->text().toStdString(); };
    for (int r = 0; r < table_->rowCount(); ++r) {
        StudyParameterEntry e;
        e.address = cell(r, StudyColumn::Parameter);
        e.wallValue = table_->item(r, Col(StudyColumn::WallValue))->data(Qt::UserRole).toDouble();
        e.low = cell(r, StudyColumn::Low);
        e.high = cell(r, StudyColumn::High);
        e.percent = cell(r, StudyColumn::Percent);
        e.values = cell(r, StudyColumn::Values);
        const auto* combo = static_cast<QComboBox*>(table_->cellWidget(r, Col(StudyColumn::Distribution)));
        e.distribution = static_cast<study::DistributionKind>(combo->currentIndex());
        e.mean = cell(r, StudyColumn::Mean);
        e.deviation = cell(r, StudyColumn::Deviation);
        e.lowerBound = cell(r, StudyColumn::LowerBound);
        e.upperBound = cell(r, StudyColumn::UpperBound);
        entry.parameters.push_back(e);
    }
    entry.count = count_->text().toStdString();
    entry.seed = seed_->text().toStdString();
    entry.latinHypercube = latin_->isChecked();
    entry.grid = grid_->isChecked();
    entry.computed = {maxima_->isChecked(), anchors_->isChecked(), factor_->isChecked(), checks_->isChecked()};
    return entry;
}

void TStudyWindow::Run()
{
    if (Running())
        return;
    // An edit still open in the table counts: taking the focus from it hands it to the table.
    if (QWidget* focus = QApplication::focusWidget(); focus && table_->isAncestorOf(focus))
        run_->setFocus();
    const StudyRead read = ReadStudyEntry(Entry());
    if (!read.definition) {
        prompt_.Information(read.problem + "\rNo study was run.");
        return;
    }
    study::StudyWall wall;
    try {
        wall = wall_();
    } catch (const std::exception& e) {
        prompt_.Information(std::string("The wall cannot be studied: ") + e.what() + "\rNo study was run.");
        return;
    }
    definition_ = *read.definition;
    const long total = study::RealisationCount(definition_);
    bar_->setRange(0, static_cast<int>(std::min<long>(total, 1 << 30)));
    bar_->setValue(0);
    progress_->setText(Text(ProgressText({0, total, 0, 0, 0})));
    run_job_->Start(definition_, std::move(wall));
    SetRunning(true);
}

bool TStudyWindow::MayStop()
{
    return !Running() ||
           prompt_.AskYesNo("A study is running; closing the window stops it and its rows are lost.\r"
                            "Stop the study and close the window?") == Prompt::Answer::Yes;
}

void TStudyWindow::closeEvent(QCloseEvent* event)
{
    if (MayStop())
        event->accept();
    else
        event->ignore();
}

void TStudyWindow::reject()
{
    if (MayStop())
        QDialog::reject();
}

void TStudyWindow::Cancel()
{
    run_job_->Cancel();
    progress_->setText(progress_->text() + " - cancelling");
}

bool TStudyWindow::Running() const { return run_job_->Running(); }

void TStudyWindow::SetRunning(bool running)
{
    run_->setEnabled(!running);
    cancel_->setEnabled(running);
    export_->setEnabled(!running && result_ && !result_->rows.empty());
    for (QWidget* w : std::initializer_list<QWidget*>{kind_, add_, remove_, table_})
        w->setEnabled(!running);
}

void TStudyWindow::Progress(const study::Progress& p)
{
    bar_->setValue(static_cast<int>(std::min<long>(p.done, bar_->maximum())));
    progress_->setText(Text(ProgressText(p)));
}
