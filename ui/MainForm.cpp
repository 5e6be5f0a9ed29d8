#include "ui/MainForm.h"
#include "ui/ToolButtonAccessible.h"


#include "graph/widgets/PlotForm.h"
#include "model/ProgramData.h"
#include "model/Recovery.h"
#include "model/StageFiles.h"
#include "run/widgets/ResultCommands.h"
#include "tables/GridTable.h"
#include "tables/widgets/TableEditors.h"
#include "tables/widgets/TableForm.h"
#include "tables/widgets/TableModel.h"
#include "ui/LiveAnalysis.h"
#include "ui/MainMenus.h"
#include "ui/ProgramIcon.h"
#include "ui/WindowPlacement.h"
#include "ui/art/Artwork.h"
#include "ui/rules/DialogValues.h"
#include "ui/rules/DocumentNames.h"
#include "ui/rules/WindowFit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <csignal>

TMainForm::TMainForm(Prompt* prompt)
    : dialogPrompt_(this), prompt_(prompt ? prompt : &dialogPrompt_),
      editors_(std::make_unique<TTableEditors>()), document_(std::make_unique<TWallDocument>(*prompt_))
{
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    InstallToolButtonAccessible();
    InstallWindowPlacement();
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdiArea_);
    // A fixed-size dialog is never maximized because a maximized graph window was active.
    mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);

#ifdef SIGXFSZ
    // Past a file-size limit a save fails with a message, as on a full disk,
    // instead of the signal ending the program and taking the edits with it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    readSettings();
    // Every result graph opens its window in this window's child-window area.
    const TGraphWindowFactory graphWindows = [this](TGraphPlot& graph) {
        return TPlotForm::Create(graph, *mdiArea_, *prompt_);
    };
    graphs_.SetWindowFactory(graphWindows);
    resultCommands_ = std::make_unique<TResultCommands>(*prompt_, graphWindows);
    resultCommands_->SetStatusReporter([this](const std::string& text) { ShowStatusMessage(text); });
    // Unsaved changes are autosaved into a recovery folder of this instance.
    autosave_ = std::make_unique<TAutosave>();
    autosaveTimer_ = new QTimer(this);
    autosaveTimer_->setSingleShot(true);
    connect(autosaveTimer_, &QTimer::timeout, this, &TMainForm::AutosaveNow);
    live_ = std::make_unique<TLiveAnalysis>();
    live_->SetResultHandler([this](const TLiveResult& result) { LiveAnalysisDone(result); });
    createMenus();
    createToolBars();
    createStatusBar();
    act_->AnalyseAsYouEdit->setChecked(settings_.AnalyseAsYouEdit);

    // Every input table of the document opens its editor in this window's
    // child-window area, beside every node number its depth in the document's wall.
    const auto pictures = [](const std::string& name, QWidget* parent) -> QWidget* {
        if (!HasArtwork(QString::fromStdString(name)))
            return nullptr;
        return new TArtView(QString::fromStdString(name), parent);
    };
    TWallDocument& document = *document_;
    const TTableModel::NodeDepths depths{
        [&document](long long node) { return NodeDepthText(node, document.Wall()); },
        [&document] { return NodeDepthCaption(document.Wall().UnitSystem()); }};
    TTableForm::Install(*editors_, document.Tables(), *mdiArea_, *prompt_, pictures, depths);
    document_->UnitsSwitched.Subscribe([this] { RefreshDialogs(); });
    // Every change a table editor makes is a step of Undo.
    editors_->SetEditListener([this](const std::string& caption) { RecordChange(caption); });
    StartNewWall(document_->Wall());
    ShowWall();
}

TMainForm::~TMainForm()
{
    // No result of an analysis still running reaches the windows that go now.
    live_.reset();
    // Graph windows go before the graphs and the area that hold them.
    CloseAllChildren();
    // Dialogs refer to this window's tables and prompt: they go now, not with the child widgets.
    qDeleteAll(mdiArea_->findChildren<TInputDialog*>());
    document_->Tables().SetEditorOpener(nullptr);
    graphs_.SetWindowFactory(nullptr);
    editors_->SetEditListener(nullptr);
}

void TMainForm::createStatusBar()
{
    // A permanent field: menu hints shown in the status bar must not erase it.
    statusLabel_ = new QLabel(this);
    // Screen readers read the text itself (StagesChanged keeps the name equal to it).
    statusLabel_->setAccessibleDescription("Construction stage");
    statusBar()->addWidget(statusLabel_, 1);
    statusMessage_ = new QLabel(this);
    statusBar()->addPermanentWidget(statusMessage_);
    statusMessageTimer_ = new QTimer(this);
    statusMessageTimer_->setSingleShot(true);
    statusMessageTimer_->setInterval(20000);
    connect(statusMessageTimer_, &QTimer::timeout, this, [this] {
        statusMessage_->clear();
        statusMessage_->setAccessibleName(QString());
    });
}

QString TMainForm::StatusMessage() const
{
    return statusMessage_->text();
}

void TMainForm::ShowStatusMessage(const std::string& text)
{
    // Beside the stage text, which stays in view, for a while.
    statusMessage_->setText(QString::fromStdString(text));
    statusMessage_->setAccessibleName(statusMessage_->text());
    statusMessageTimer_->start();
}

QString TMainForm::StatusText() const
{
    return statusLabel_->text();
}

void TMainForm::readSettings()
{
    settings_ = ReadUserSettings();
    settings_.TextEditor = TextEditorOrDefault(settings_);
    // The window's place on the screen is the program's own: it is kept beside the user's settings.
    const QByteArray geometry = QSettings().value("geometry").toByteArray();
    if (geometry.isEmpty()) {
        const QRect avail = screen()->availableGeometry();
        resize(avail.width() * 3 / 4, avail.height() * 3 / 4);
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    } else {
        restoreGeometry(geometry);
    }
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The menus' widths are known once the window is polished for its screen.
    if (!event->spontaneous() && !fittedToMenus_) {
        fittedToMenus_ = true;
        FitToMenus();
    }
}

void TMainForm::FitToMenus()
{
    // Wide enough for every menu of the menu bar and every button of the
    // toolbar where the screen has room (a size kept from a smaller scale
    // would fold them into a chevron), and never larger than the screen.
    if (isMaximized() || isFullScreen())
        return;
    const QRect avail = screen()->availableGeometry();
    const QSize border = frameGeometry().size() - geometry().size();
    const int margin = 2 * menuBar()->fontMetrics().averageCharWidth();
    int wanted = std::max(width(), menuBar()->sizeHint().width() + margin);
    if (act_ && act_->ToolBar)
        wanted = std::max(wanted, act_->ToolBar->sizeHint().width() + margin);
    const TWindowRect fitted = FitWindow({x(), y(), wanted + border.width(), height() + border.height()},
                                         {avail.x(), avail.y(), avail.width(), avail.height()});
    resize(fitted.Width - border.width(), fitted.Height - border.height());
    move(fitted.X, fitted.Y);
}

void TMainForm::writeSettings()
{
    QSettings().setValue("geometry", saveGeometry());
    WriteUserSettings(settings_);
}

void TMainForm::SetTextEditor(const QString& path)
{
    settings_.TextEditor = path.toStdString();
    WriteUserSettings(settings_);
}

// QMdiArea does not merge menus: the active graph window's "&Plot" menu is
// put into this window's menu bar before "&Window", and taken out again when
// another child window (or none) becomes active.
void TMainForm::SubWindowActivated(QMdiSubWindow* window)
{
    TPlotForm* form = TPlotForm::Of(window);
    // A graph window opens its "&Plot" menu with Ctrl+Z: Undo keeps its menu
    // entry and button there, and its key elsewhere.
    act_->Undo->setShortcuts(form ? QList<QKeySequence>() : QKeySequence::keyBindings(QKeySequence::Undo));
    QMenu* menu = form ? form->PlotMenu() : nullptr;
    if (menu == mergedMenu_)
        return;
    if (mergedMenu_)
        menuBar()->removeAction(mergedMenu_->menuAction());
    mergedMenu_ = menu;
    if (menu)
        menuBar()->insertAction(act_->Window->menuAction(), menu->menuAction());
}

void TMainForm::ArrangeIcons()
{
    // Minimised windows line up along the bottom edge of the area, left to right.
    int x = 0;
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        if (x > 0 && x + w->width() > mdiArea_->viewport()->width())
            x = 0;
        w->move(x, mdiArea_->viewport()->height() - w->height());
        x += w->width();
    }
}

void TMainForm::CloseAllChildren()
{
    CloseDialogs();
    // Table editors close without storing a half-typed cell: the wall they
    // showed is being replaced (its changes were saved or given up first).
    for (int i = 0; i < WallTables::Count; ++i)
        Tables().Table(i).CloseEditor();
    mdiArea_->closeAllSubWindows();
}

TProgramData* TMainForm::Wall() const
{
    return &document_->Wall();
}

void TMainForm::NewWall()
{
    // The windows of the old wall close first: its graphs, editors and dialogs describe a wall that is gone.
    CloseAllChildren();
    ForgetLiveResults();
    document_->New();
    // Every field of the new wall holds a value its dialog accepts (the undo history starts from them).
    StartNewWall(document_->Wall());
    resultsLoaded_ = false;
    ShowWall();
}

void TMainForm::SetTitle()
{
    setWindowTitle(QString::fromStdString(TitleBarText(document_->FileName())));
}

void TMainForm::ShowWall()
{
    SetTitle();
    ApplyLongTermVisibility();
    StagesChanged();
    UpdateResultButtons();
    ResetUndo();
}

bool TMainForm::QuerySave()
{
    // What the active dialog holds counts as a change. A refused entry (its
    // field said why) does not hold up the command that drops the wall: it is
    // one more change to save or give up.
    const bool accepted = CommitActiveChild();
    if (accepted && !IsModified())
        return true;
    switch (prompt_->AskYesNoCancel("Do you want to save any changes?")) {
    case Prompt::Answer::Yes:
        // A refused entry is mended first: the focus is back in its field.
        if (!accepted)
            return false;
        // Only a save that wrote everything lets the caller drop the wall.
        return SaveDocument("\rThe wall stays open with its changes.");
    case Prompt::Answer::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!QuerySave()) {
        event->ignore();
        return;
    }
    writeSettings();
    CloseAllChildren();
    // Saved, or its changes given up: nothing is left to recover.
    DropAutosave();
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !event->mimeData()->urls().first().toLocalFile().isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QString path = event->mimeData()->urls().first().toLocalFile();
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenDroppedFile(path.toStdString());
}

void TMainForm::OpenDroppedFile(const std::string& path)
{
    if (!QuerySave())
        return;
    OpenFileName(path, true);
}
