#pragma once
#include <QDialog>

class QMdiArea;
class QMdiSubWindow;
class TTableForm;

// The frame of a modal editor: closing it, by its frame or by Escape, first
// stores the current cell; on Windows the frame snaps to whole rows and
// columns while it is dragged.
class TTableDialog : public QDialog {
public:
    using QDialog::QDialog;
    // The editor inside; null once it is gone.
    TTableForm* form = nullptr;
    void reject() override;

#ifdef Q_OS_WIN
protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif
};

// Moves a child window that reaches past the right or bottom edge of its
// area back into view.
void MoveIntoView(QMdiSubWindow& window, const QMdiArea& area);
