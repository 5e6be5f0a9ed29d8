#pragma once
#include <QDialog>

class QLineEdit;
class QRadioButton;

// The Graph Caption dialog: the user's graph title and whether it stands above
// or below the graph. The graph window reads both back however it is closed.
class TfrmGraphCaption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGraphCaption(QWidget* parent = nullptr);

    QLineEdit* edtCaption() const { return edtCaption_; }
    QRadioButton* rbTop() const { return rbTop_; }
    QRadioButton* rbBottom() const { return rbBottom_; }

private:
    QLineEdit* edtCaption_;
    QRadioButton* rbTop_;
    QRadioButton* rbBottom_;
};
