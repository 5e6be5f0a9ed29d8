#include "ui/MainForm.h"

#include "graph/widgets/PlotForm.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "run/AnalysisRun.h"
#include "run/ReadPlotFile.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableForm.h"
#include "ui/art/Artwork.h"
#include "ui/ProgramIcon.h"
#include "ui/profile/SideView.h"
#include "units/TorvikError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <cctype>

namespace {

const char* const ProgramTitle = "TORVIK 2013.4.6 - ";

bool FileExists(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).isFile();
}

// The text editor until the user chooses one: Notepad on Windows, elsewhere
// the desktop's own program for the file.
QString DefaultTextEditor()
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("WINDIR", "C:\\Windows") + "\\notepad.exe";
#else
    return QStringLiteral("xdg-open");
#endif
}

}  // namespace

TMainForm::TMainForm(Prompt* prompt) : dialogPrompt_(this), prompt_(prompt ? prompt : &dialogPrompt_)
{
    setWindowIcon(ProgramIcon());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdiArea_);
    // A fixed-size dialog is never maximized because a maximized graph window was active.
    mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    readSettings();

    // Every input table opens its editor in this window's child-window area.
    TTableForm::Install(mdiArea_, prompt_, [](const std::string& name, QWidget* parent) -> QWidget* {
        if (!HasArtwork(QString::fromStdString(name)))
            return nullptr;
        return new TArtView(QString::fromStdString(name), parent);
    });
    // Every graph opens its window in this window's child-window area.
    TGraphPlot::SetWindowFactory(
        [this](TGraphPlot& graph) { return TPlotForm::Create(graph, *mdiArea_, *prompt_); });

    UnitsSwitched.Subscribe([this] { RefreshDialogs(); });
    ReplaceOpenWall(TProgramData::CreateNew(*this));
    SetTitle();
    UpdateResultButtons();
}

TMainForm::~TMainForm()
{
    // Graph windows go before the graphs and the area that hold them.
    CloseAllChildren();
    // Dialogs refer to this window's tables and prompt: they go now, not with the child widgets.
    qDeleteAll(mdiArea_->findChildren<TInputDialog*>());
    TTableForm::Install(nullptr, nullptr);
    TGraphPlot::SetWindowFactory(nullptr);
    ReplaceOpenWall(nullptr);
}

void TMainForm::createActions()
{
    openAct_ = new QAction("&Open...", this);
    openAct_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    openAct_->setStatusTip("Open Data File");
    connect(openAct_, &QAction::triggered, this, &TMainForm::FileOpenClick);

    saveAct_ = new QAction("&Save", this);
    saveAct_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAct_->setStatusTip("Save Data File");
    connect(saveAct_, &QAction::triggered, this, [this] { FileSaveClick(); });
    saveAsAct_ = new QAction("Save &As...", this);
    connect(saveAsAct_, &QAction::triggered, this, [this] { FileSaveAsClick(); });

    runAct_ = new QAction("&Run Analysis", this);
    runAct_->setStatusTip("Run Analysis");
    connect(runAct_, &QAction::triggered, this, &TMainForm::CompRunClick);

    viewGeometryAct_ = new QAction("&View Wall Geometry", this);
    viewGeometryAct_->setToolTip("View Soil Profile");
    connect(viewGeometryAct_, &QAction::triggered, this, &TMainForm::ViewGeometryClick);

    exitAct_ = new QAction("E&xit", this);
    exitAct_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exitAct_, &QAction::triggered, this, &QWidget::close);

    const char* captions[8] = {"p-&y Curves",          "&Deflection vs Depth",          "&Moment vs Depth",
                               "&Shear vs Depth",      "&Reaction vs Depth",            "&Deflection, Moment and Shear",
                               "Earth &Pressure Distribution", "Earth Pressure Combined"};
    TGraphPlot* graphs[8] = {&graphs_.pltPY,   &graphs_.pltDef, &graphs_.pltMom, &graphs_.pltShear,
                             &graphs_.pltSoil, &graphs_.pltDMS, &graphs_.pltLD,  &graphs_.PltCombine};
    for (int i = 0; i < 8; ++i) {
        graphActions_[i] = new QAction(captions[i], this);
        TGraphPlot* g = graphs[i];
        connect(graphActions_[i], &QAction::triggered, this, [g] { g->Execute(); });
    }

    cascadeAct_ = new QAction("&Cascade", this);
    connect(cascadeAct_, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    tileAct_ = new QAction("&Tile", this);
    connect(tileAct_, &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);

    aboutAct_ = new QAction("&About...", this);
    connect(aboutAct_, &QAction::triggered, this, &TMainForm::AboutClick);
}

void TMainForm::createMenus()
{
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->addAction(openAct_);
    fileMenu_->addAction(saveAct_);
    fileMenu_->addAction(saveAsAct_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAct_);

    createDataMenu();
    createOptionsMenu();

    computationMenu_ = menuBar()->addMenu("&Computation");
    computationMenu_->addAction(runAct_);
    computationMenu_->addSeparator();
    computationMenu_->addAction(viewGeometryAct_);

    graphicsMenu_ = menuBar()->addMenu("&Graphics");
    graphicsMenu_->addAction(graphActions_[0]);
    graphicsMenu_->addSeparator();
    for (int i = 1; i <= 5; ++i)
        graphicsMenu_->addAction(graphActions_[i]);
    graphicsMenu_->addSeparator();
    graphicsMenu_->addAction(graphActions_[6]);
    graphicsMenu_->addAction(graphActions_[7]);
    connect(graphicsMenu_, &QMenu::aboutToShow, this, &TMainForm::UpdateResultButtons);

    windowMenu_ = menuBar()->addMenu("&Window");
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::updateWindowMenu);
    updateWindowMenu();

    helpMenu_ = menuBar()->addMenu("&Help");
    helpMenu_->addAction(aboutAct_);
}

void TMainForm::createToolBars()
{
    QToolBar* bar = addToolBar("File");
    bar->setObjectName("FileToolBar");
    bar->setMovable(false);
    openAct_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    bar->addAction(openAct_);
    saveAct_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    bar->addAction(saveAct_);
    bar->addSeparator();
    runAct_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    bar->addAction(runAct_);
    viewGeometryAct_->setIcon(TDlgSideView::ToolIcon());
    bar->addAction(viewGeometryAct_);
}

void TMainForm::createStatusBar()
{
    // A permanent field: menu hints shown in the status bar must not erase it.
    statusLabel_ = new QLabel(this);
    statusBar()->addWidget(statusLabel_, 1);
}

QString TMainForm::StatusText() const
{
    return statusLabel_->text();
}

void TMainForm::readSettings()
{
    QSettings settings;
    const QByteArray geometry = settings.value("geometry").toByteArray();
    if (geometry.isEmpty()) {
        const QRect avail = screen()->availableGeometry();
        resize(avail.width() * 3 / 4, avail.height() * 3 / 4);
        move((avail.width() - width()) / 2, (avail.height() - height()) / 2);
    } else {
        restoreGeometry(geometry);
    }
    textEditor_ = settings.value("Word Processor").toString();
    if (textEditor_.isEmpty())
        textEditor_ = DefaultTextEditor();
}

void TMainForm::writeSettings()
{
    QSettings settings;
    settings.setValue("geometry", saveGeometry());
    settings.setValue("Word Processor", textEditor_);
}

void TMainForm::updateWindowMenu()
{
    windowMenu_->clear();
    windowMenu_->addAction(cascadeAct_);
    windowMenu_->addAction(tileAct_);
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    cascadeAct_->setEnabled(!windows.isEmpty());
    tileAct_->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        QString title = w->windowTitle();
        QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(title.replace('&', "&&")));
        a->setCheckable(true);
        a->setChecked(w == mdiArea_->activeSubWindow());
        connect(a, &QAction::triggered, w, [this, w] { mdiArea_->setActiveSubWindow(w); });
    }
}

// QMdiArea does not merge menus: the active graph window's "&Plot" menu is
// put into this window's menu bar before "&Window", and taken out again when
// another child window (or none) becomes active.
void TMainForm::SubWindowActivated(QMdiSubWindow* window)
{
    TPlotForm* form = TPlotForm::Of(window);
    QMenu* menu = form ? form->PlotMenu() : nullptr;
    if (menu == mergedMenu_)
        return;
    if (mergedMenu_)
        menuBar()->removeAction(mergedMenu_->menuAction());
    mergedMenu_ = menu;
    if (menu)
        menuBar()->insertAction(windowMenu_->menuAction(), menu->menuAction());
}

void TMainForm::CloseAllChildren()
{
    CloseDialogs();
    // Table editors close without storing a half-typed cell: the wall they
    // showed is being replaced (its changes were saved or given up first).
    for (int i = 0; i < WallTables::Count; ++i)
        tables_.Table(i).CloseEditor();
    mdiArea_->closeAllSubWindows();
}

std::string TMainForm::DisplayFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\:");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        std::string ext = name.substr(dot);
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".tkd")
            name = name.substr(0, name.find('.'));
    }
    if (name.size() > 1)
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

void TMainForm::SetTitle()
{
    const TProgramData* wall = OpenWall();
    setWindowTitle(QString::fromStdString(ProgramTitle + DisplayFileName(wall ? wall->FileName : "NewWall.tk4d")));
}

bool TMainForm::LoadResults(bool reportErrors)
{
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
    const std::string plotFile = PlotFileName(wall->FileName);
    if (!FileExists(plotFile))
        return resultsLoaded_;
    resultsLoaded_ = ReadPlotFile(graphs_, plotFile, reportErrors, *wall);
    return resultsLoaded_;
}

void TMainForm::OpenFileName(const std::string& path, bool fromDialog)
{
    ReplaceOpenWall(nullptr);
    const QFileInfo info(QString::fromStdString(path));
    QDir::setCurrent(info.absolutePath());
    try {
        ReplaceOpenWall(TProgramData::CreateFromFile(*this, info.absoluteFilePath().toStdString(),
                                                     TProgramData::FormatForPath(path)));
    } catch (const TorvikError& e) {
        // The old wall is gone; the program goes on with a new one.
        prompt_->Information(e.what());
        ReplaceOpenWall(TProgramData::CreateNew(*this));
        resultsLoaded_ = false;
        statusLabel_->clear();
        SetTitle();
        UpdateResultButtons();
        return;
    }
    SetTitle();
    resultsLoaded_ = false;
    LoadResults(false);
    if (fromDialog)
        prompt_->Information("Data file: " + DisplayFileName(path) + ", has been read by TORVIK 2013");
    TProgramData* wall = OpenWall();
    try {
        // A staged wall is edited and analysed stage by stage, in its stage files.
        if (wall && wall->StageCount > 1)
            OpenStagedWall(*wall);
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
    }
    statusLabel_->setText(wall ? QString::fromStdString(StageStatusText(*wall)) : QString());
    UpdateResultButtons();
}

void TMainForm::OpenStartupFile(const std::string& argument)
{
    std::string path = argument;
    if (path.find('.') == std::string::npos)
        path += ".tk4d";
    if (FileExists(path))
        OpenFileName(path, false);
}

void TMainForm::SetModified(bool modified)
{
    modified_ = modified;
    if (!modified)
        tables_.ResetChanged();
}

bool TMainForm::QuerySave()
{
    // What the active dialog holds counts as a change; a refused entry stops the caller.
    if (!CommitActiveChild())
        return false;
    if (!IsModified())
        return true;
    switch (prompt_->AskYesNoCancel("Do you want to save any changes?")) {
    case Prompt::Answer::Yes: {
        FileSaveClick();
        const TProgramData* wall = OpenWall();
        return wall && wall->FileName != "NewWall.tk4d";
    }
    case Prompt::Answer::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::FileOpenClick()
{
    if (!QuerySave())
        return;
    std::optional<std::string> name = prompt_->OpenFileName(
        "Open", "Torvik 2013 (*.tk4d);;Torvik 3.0 (*.tkd);;Torvik 2.0 (*.tkd);;All Files (*)", QDir::currentPath().toStdString());
    if (name)
        OpenFileName(*name, true);
}

bool TMainForm::FileSaveClick()
{
    // What the active dialog holds is saved too; a refused entry stops the save.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
    std::string ext = QFileInfo(QString::fromStdString(wall->FileName)).suffix().toLower().toStdString();
    if (wall->FileName == "NewWall.tk4d" || ext == "tkd")
        return FileSaveAsClick();
    try {
        if (wall->StageCount > 1)
            SaveStagedWall(*wall);
        else
            wall->WriteDataFile();
    } catch (const TorvikError& e) {
        prompt_->Information(e.what());
        return false;
    }
    return true;
}

bool TMainForm::FileSaveAsClick()
{
    // Saving as closes the dialogs afterwards: what they hold goes into the file first.
    if (!CommitActiveChild())
        return false;
    TProgramData* wall = OpenWall();
    if (!wall)
        return false;
    std::string proposed = wall->FileName;
    if (QFileInfo(QString::fromStdString(proposed)).suffix().toLower() == "tkd")
        proposed = ReplaceExtension(proposed, ".tk4d");
    std::optional<std::string> name =
        prompt_->SaveFileName("Save " + DisplayFileName(proposed) + " As", "Torvik 2013 (*.tk4d)", proposed);
    if (!name)
        return false;
    const std::string old = wall->FileName;
    try {
        if (wall->StageCount > 1) {
            SaveStagedWallAs(*wall, *name);
        } else {
            wall->FileName = *name;
            wall->WriteDataFile();
        }
    } catch (const TorvikError& e) {
        wall->FileName = old;
        prompt_->Information(e.what());
        return false;
    }
    SetTitle();
    CloseAllChildren();
    UpdateResultButtons();
    return true;
}

void TMainForm::CompRunClick()
{
    if (!FileSaveClick())
        return;
    TProgramData* wall = OpenWall();
    if (!wall || wall->FileName == "NewWall.tk4d")
        return;
    TEngineCall call;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        call = CallEngine(wall->FileName, engineDirectory_.empty() ? ProgramDirectory() : engineDirectory_);
    } catch (const TorvikError& e) {
        QApplication::restoreOverrideCursor();
        prompt_->Information(e.what());
        return;
    }
    QApplication::restoreOverrideCursor();
    if (call == TEngineCall::AlreadyLoaded) {
        prompt_->Information(ReinitializeMessage);
        return;
    }
    if (call == TEngineCall::LoadFailed) {
        prompt_->Information(InitializeFailedMessage);
        return;
    }
    prompt_->Information(CompletedMessage);
    LoadResults(true);
    UpdateResultButtons();
}

void TMainForm::ViewGeometryClick()
{
    TDlgSideView::Open(*mdiArea_, *this, *prompt_);
}

void TMainForm::UpdateResultButtons()
{
    const TProgramData* wall = OpenWall();
    const bool available = resultsLoaded_ && wall && FileExists(PlotFileName(wall->FileName));
    auto drawable = [&](const TGraphPlot& g) { return available && g.LineCount() >= 1 && g.PointCount() > 1; };
    graphActions_[0]->setEnabled(drawable(graphs_.pltPY));
    graphActions_[1]->setEnabled(drawable(graphs_.pltDef));
    graphActions_[2]->setEnabled(drawable(graphs_.pltMom));
    graphActions_[3]->setEnabled(drawable(graphs_.pltShear));
    graphActions_[4]->setEnabled(drawable(graphs_.pltSoil));
    graphActions_[5]->setEnabled(graphActions_[1]->isEnabled() && graphActions_[2]->isEnabled() &&
                                 graphActions_[3]->isEnabled());
    graphActions_[6]->setEnabled(drawable(graphs_.pltLD));
    graphActions_[7]->setEnabled(available);
}

void TMainForm::AboutClick()
{
    QMessageBox::about(this, "About TORVIK",
                       "<b>TORVIK 2013</b><br>Version 2013.4.6<br><br>"
                       "Analysis of flexible retaining walls by the p-y method.");
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!QuerySave()) {
        event->ignore();
        return;
    }
    writeSettings();
    CloseAllChildren();
    event->accept();
}
