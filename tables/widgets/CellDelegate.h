#pragma once
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
class TTableModel;

// The in-cell editor of the table grid. Enter stores the text and moves on
// only when the column accepts it; a refused text keeps the editor open in its
// cell. While the refusal's message is shown, losing the focus to the message
// box stores nothing.
class TCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TCellDelegate(TTableModel& model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Stores the open editor's text and closes it; false when the text was refused.
    bool CommitOpenEditor();
    // True while an editor is open (a closed one is hidden until it is deleted).
    bool OpenEditor() const { return editor_ && !editor_->isHidden(); }
    // Replaces the open editor's text and gives it the focus.
    void SetEditorText(const QString& text);
    // Set while a refused text's message is pending or shown.
    void SetRefusing(bool refusing) { refusing_ = refusing; }

signals:
    // Enter stored the text: the grid moves to the next cell.
    void EnterAccepted();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TTableModel& model_;
    mutable QPointer<QLineEdit> editor_;
    bool refusing_ = false;
};
