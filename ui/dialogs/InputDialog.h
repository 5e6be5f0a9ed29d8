#pragma once
#include "ui/rules/DialogValues.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class TWallDocument;
class QGridLayout;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class TArtView;
class TDataEdit;
class TProgramData;

// An input dialog: a small modeless child window of the main window that edits
// scalars of the open wall. It loads its values from the wall each time it
// becomes the active child window and stores them back each time it stops
// being active and when it is closed. While the focused numeric field holds an
// entry that its check refuses, the dialog neither stores nor lets itself be
// closed or left: the field reports the entry and the dialog comes back.
class TInputDialog : public QWidget {
    Q_OBJECT
public:
    ~TInputDialog() override;

    // Puts the dialog into `area` as a fixed-size child window and shows it.
    QMdiSubWindow* AddTo(QMdiArea& area);
    // The dialog a child window holds, or null.
    static TInputDialog* Of(QMdiSubWindow* window);

    // Loads every control from the open wall.
    void FormActivate();
    // Checks the focused numeric field and, when it is accepted, stores every
    // control into the open wall; false (nothing stored) when it is refused.
    bool FormDeactivate();
    // Closes the window without checking or storing (the wall is being replaced).
    void CloseUnchecked();
    // True once the window has been closed (it is deleted a moment later).
    bool IsClosed() const { return closed_; }
    // The title: the caption and `suffix` (the stage of a staged wall).
    virtual void SetTitleSuffix(const std::string& suffix);

signals:
    // The window closed; the main window clears its open flag.
    void Closed();
    // Values were stored into the wall: `caption` names the field left with
    // a new value, or the dialog when it stored its other controls.
    void Committed(const QString& caption);

protected:
    TInputDialog(TWallDocument& document, const QString& caption, QWidget* parent = nullptr);

    // Loads and stores what the bound fields do not: check boxes, texts.
    virtual void Load(const TProgramData& wall);
    virtual void Store(TProgramData& wall);

    // A numeric field in `row` of `grid`, label in column 0 and field in column
    // 1, bound to a real scalar of the wall. `units` is the dimension code
    // ("" for none); the label shows the unit of the wall's unit system.
    TDataEdit* AddField(QGridLayout* grid, int row, const QString& caption, const std::string& units,
                        long double minVal, long double maxVal, long double TProgramData::*member,
                        TShownUnit shown = TShownUnit::AsStored);
    // The same for an integer scalar.
    TDataEdit* AddIntegerField(QGridLayout* grid, int row, const QString& caption, long double minVal,
                               long double maxVal, std::int32_t TProgramData::*member);
    // A view of the named illustration.
    TArtView* Illustration(const QString& name);
    // Marks the document modified, unless the dialog is loading its values.
    void MarkModified();
    // The dialog is showing the wall's values (no change of the user's).
    bool Loading() const { return loading_; }
    // Closes the dialog's window as its close button does: the values are
    // checked and stored, and a refused entry keeps it open.
    void CloseWindow();

    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window as its close button does.
    void keyPressEvent(QKeyEvent* event) override;

    TWallDocument& document_;

private:
    struct Binding {
        TDataEdit* field;
        long double TProgramData::*real;
        std::int32_t TProgramData::*integer;
        TShownUnit shown;
        QString loadedText;  // the text as loaded: an untouched field stores nothing
    };
    TDataEdit* NewField(QGridLayout* grid, int row, const QString& caption, const std::string& units,
                        long double minVal, long double maxVal, bool integerOnly);
    // Stores the value of one field, when it differs from the one loaded; true when stored.
    bool StoreField(Binding& b, TProgramData& wall);
    void FieldAccepted(TDataEdit* field);
    // Marks the free-height field while the wall cannot be analysed with it
    // (WallLengthProblem): a red frame, and the reason as its tooltip and description.
    void MarkProblems();
    void WindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    void Deactivated();

    std::vector<Binding> bindings_;
    QString caption_;
    QMdiSubWindow* window_ = nullptr;
    bool loading_ = false;
    bool closed_ = false;
    bool unchecked_ = false;
    // Set while a deactivation has not stored the edits: coming back then keeps them.
    bool keepEdits_ = false;
};
