// The "&Plot" menu of the graph window and the commands behind it.
#include "graph/widgets/PlotForm.h"

#include "graph/GraphPlot.h"
#include "graph/widgets/PlotLegend.h"
#include "graph/widgets/PlotZoom.h"
#include "graph/widgets/TfrmActiveLines.h"
#include "graph/widgets/TfrmGraphCaption.h"
#include "graph/widgets/TfrmLineNames.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

void TPlotForm::CreateMenu()
{
    menu_ = new QMenu("&Plot", this);
    actShowLegend_ = menu_->addAction("Show &Legend", this, &TPlotForm::ShowLegendClick);
    actShowLayers_ = menu_->addAction("Show &Soil Layer", this, &TPlotForm::ShowLayersClick);
    actShowWall_ = menu_->addAction("Show &Wall Geometry", this, &TPlotForm::ShowWallClick);
    for (QAction* a : {actShowLegend_, actShowLayers_, actShowWall_})
        a->setCheckable(true);
    menuMarkers_ = AddChoiceMenu("Show &Markers",
                                 {{"&Never", 0}, {"", -1}, {"Every &Increment", 1}, {"Every &2 Increments", 2},
                                  {"Every &3 Incrments", 3}, {"Every &5 Increments", 5}, {"Every &10 Incements", 10}},
                                 &TPlotForm::SetMarkers);
    menuFont_ = AddChoiceMenu("&Font Size",
                              {{"&Default", 10}, {"", -1}, {"1.5 * Default", 15}, {"2 * Default", 20},
                               {"2.5 * Default", 25}, {"3 * Default", 30}, {"4 * Default", 40}},
                              &TPlotForm::SetFontSize);
    menuWidth_ = AddChoiceMenu("&Line Width",
                               {{"&Default", 1}, {"", -1}, {"2 * Default", 2}, {"4 * Default", 4},
                                {"6 * Default", 6}, {"10 * Default", 10}},
                               &TPlotForm::SetLineWidth);
    actGraphTitle_ = menu_->addAction("&Graph Title", this, &TPlotForm::GraphTitleClick);
    actEditLegend_ = menu_->addAction("&Edit Legend", this, &TPlotForm::EditLegendClick);
    actActiveCurves_ = menu_->addAction("&Active Curves", this, &TPlotForm::ActiveCurvesClick);
    menu_->addSeparator();
    actPrint_ = menu_->addAction("&Print...", this, &TPlotForm::PrintClick);
    actPageSetup_ = menu_->addAction("P&age Setup", this, &TPlotForm::PageSetupClick);
    actSave_ = menu_->addAction("&Save To Disk...", this, &TPlotForm::SaveClick);
    menu_->addSeparator();
    connect(menu_, &QMenu::aboutToShow, this, &TPlotForm::RefreshMenu);

    // Ctrl+Z opens the menu from the keyboard while the graph has the focus.
    auto* open = new QAction(this);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    open->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(open, &QAction::triggered, this, [this] { menu_->popup(mapToGlobal(QPoint(0, 0))); });
    addAction(open);
}

// A submenu of radio commands, each carrying its number; an empty caption is a separator.
QMenu* TPlotForm::AddChoiceMenu(const QString& title, const std::vector<std::pair<QString, int>>& items,
                                void (TPlotForm::*apply)(int))
{
    QMenu* sub = menu_->addMenu(title);
    auto* group = new QActionGroup(sub);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const auto& [caption, number] : items) {
        if (caption.isEmpty()) {
            sub->addSeparator();
            continue;
        }
        QAction* a = sub->addAction(caption);
        a->setCheckable(true);
        a->setData(number);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, apply, number] { (this->*apply)(number); });
    }
    return sub;
}

namespace {

// Checks the command whose number is `value`, none when no command has it.
void CheckNumber(QMenu* menu, int value)
{
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            a->setChecked(a->data().toInt() == value);
}

}  // namespace

void TPlotForm::RefreshMenu()
{
    if (!graph_)
        return;
    TGraphPlot& g = *graph_;
    actShowLegend_->setChecked(g.ShowLegend);
    actShowLayers_->setChecked(g.ShowLayers);
    actShowLayers_->setVisible(g.LayerCount() > 0);
    actShowWall_->setVisible(g.WallLineCount > 0);
    actShowWall_->setEnabled(g.ShowLayers);
    actShowWall_->setChecked(g.ShowWall);
    menuFont_->menuAction()->setVisible(g.ShowFontWidth);
    menuWidth_->menuAction()->setVisible(g.ShowFontWidth);
    CheckNumber(menuMarkers_, g.Markers);
    CheckNumber(menuFont_, g.SizeFont);
    CheckNumber(menuWidth_, g.WidthLine);
    for (QAction* a : curveActions_)
        a->setChecked(CurveVisible(a->data().toInt()));
}

void TPlotForm::ShowLegendClick()
{
    graph_->ShowLegend = !graph_->ShowLegend;
    legend_->setVisible(graph_->ShowLegend && graph_->LineCount() > 0);
}

void TPlotForm::ShowLayersClick()
{
    graph_->ShowLayers = !graph_->ShowLayers;
    ReLayout(true);
}

void TPlotForm::ShowWallClick()
{
    graph_->ShowWall = !graph_->ShowWall;
    ReLayout(true);
}

void TPlotForm::SetMarkers(int n)
{
    graph_->Markers = n;
    update();
}

void TPlotForm::SetFontSize(int factor)
{
    graph_->SizeFont = factor;
    const int points = factor * graph_->LegendFont / 10;
    legend_->SetFontSize(points, points * 3 / 2);
    FitLegend(21);
    ReLayout(true);
}

void TPlotForm::SetLineWidth(int factor)
{
    graph_->WidthLine = factor;
    update();
}

void TPlotForm::GraphTitleClick()
{
    TfrmGraphCaption dialog(this);
    dialog.edtCaption()->setText(QString::fromStdString(graph_->GraphTitle));
    dialog.rbTop()->setChecked(graph_->GraphTitleOnTop);
    dialog.rbBottom()->setChecked(!graph_->GraphTitleOnTop);
    dialog.exec();
    // The title is taken however the dialog was closed.
    graph_->GraphTitle = dialog.edtCaption()->text().toStdString();
    graph_->GraphTitleOnTop = dialog.rbTop()->isChecked();
    ReLayout(false);
}

void TPlotForm::EditLegendClick()
{
    std::vector<std::string> names;
    for (int i = 0; i < graph_->LineCount(); ++i)
        names.push_back(graph_->Lines(i).GetName());
    TfrmLineNames dialog(names, prompt_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int k = 0;
    for (int i = 0; i < graph_->LineCount(); ++i) {
        TLine& line = graph_->Lines(i);
        line.Name = names[i];
        if (!line.Active)
            continue;
        const QString text = QString::fromStdString(names[i]);
        if (k < legend_->count())
            legend_->item(k)->setText(text);
        if (k < static_cast<int>(curveActions_.size()))
            curveActions_[k]->setText(text);
        ++k;
    }
    FitLegend(legend_->width() - 2 * legend_->frameWidth());
    legend_->KeepInside();
    update();
}

void TPlotForm::ActiveCurvesClick()
{
    std::vector<std::string> flags, names;
    for (int i = 0; i < graph_->LineCount(); ++i) {
        flags.push_back(graph_->Lines(i).Active ? TfrmActiveLines::Yes : TfrmActiveLines::No);
        names.push_back(graph_->Lines(i).GetName());
    }
    TfrmActiveLines dialog(flags, names, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // Entry k of the legend and per-curve command k belong to the k-th active curve.
    int k = 0;
    for (int i = 0; i < graph_->LineCount(); ++i) {
        TLine& line = graph_->Lines(i);
        line.Active = flags[i] == TfrmActiveLines::Yes;
        if (!line.Active)
            continue;
        const QString text = QString::fromStdString(names[i]);
        if (k < legend_->count()) {
            QListWidgetItem* item = legend_->item(k);
            item->setText(text);
            item->setData(PlotLegend::CurveRole, i);
        } else {
            auto* item = new QListWidgetItem(text, legend_);
            item->setData(PlotLegend::CurveRole, i);
        }
        if (k < static_cast<int>(curveActions_.size())) {
            curveActions_[k]->setText(text);
            curveActions_[k]->setData(i);
        } else {
            AddCurveAction(text, i);
        }
        ++k;
    }
    while (legend_->count() > k)
        delete legend_->takeItem(legend_->count() - 1);
    ShowLegendNote();
    while (static_cast<int>(curveActions_.size()) > k) {
        delete curveActions_.back();
        curveActions_.pop_back();
    }
    UpdateLegendMarks();
    FitLegend(21);
    legend_->KeepInside();
    // The axes fit the curves now drawn; a zoom the user chose stays.
    if (const std::optional<TGraphRanges> full = GraphRanges(*graph_)) {
        TGraphRanges shown = *full;
        TPanelRange& cur = ranges_.Panel[0];
        const TPanelRange& before = fullRanges_.Panel[0];
        const TPanelRange& after = full->Panel[0];
        const ZoomSpan x = KeptSpan({cur.X.Min, cur.X.Max}, {before.X.Min, before.X.Max}, {after.X.Min, after.X.Max});
        const ZoomSpan y = KeptSpan({cur.Y.Min, cur.Y.Max}, {before.Y.Min, before.Y.Max}, {after.Y.Min, after.Y.Max});
        shown.Panel[0].X = {x.Min, x.Max};
        shown.Panel[0].Y = {y.Min, y.Max};
        fullRanges_ = *full;
        ranges_ = shown;
    }
    update();
}
