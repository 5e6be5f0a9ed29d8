#include "tables/widgets/CellDelegate.h"

#include "tables/widgets/TableModel.h"

#include <QKeyEvent>
#include <QLineEdit>

TCellDelegate::TCellDelegate(TTableModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

QWidget* TCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
    editor->setAccessibleName(model_.headerData(index.column(), Qt::Horizontal, Qt::AccessibleTextRole).toString() +
                              QString(" row %1").arg(index.row() + 1));
    (void)option;
    editor_ = editor;
    return editor;
}

bool TCellDelegate::CommitOpenEditor()
{
    if (!OpenEditor())
        return true;
    QLineEdit* editor = editor_;
    emit commitData(editor);
    if (!model_.LastCommitAccepted())
        return false;
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void TCellDelegate::SetEditorText(const QString& text)
{
    if (OpenEditor()) {
        editor_->setText(text);
        editor_->selectAll();
        editor_->setFocus();
    }
}

bool TCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            if (model_.LastCommitAccepted()) {
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                emit EnterAccepted();
            }
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            emit commitData(editor);
            if (!model_.LastCommitAccepted())
                return true;
        }
        break;
    }
    case QEvent::FocusOut:
        // The refusal's message box takes the focus: that is not leaving the cell.
        if (refusing_)
            return true;
        break;
    default:
        break;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
