#pragma once
#include <QDialog>

class Prompt;
class QButtonGroup;
class QLineEdit;
class QRadioButton;

// The Save Attributes dialog: size, resolution and colour depth of a saved
// graph image. OK checks the fields and makes sure the image fits in memory;
// when it does not, the dialog ends with Abort instead.
class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    // The result when memory for the image ran out.
    static constexpr int Abort = 3;

    explicit TdlgFormat(Prompt& prompt, QWidget* parent = nullptr);

    // The confirmed values.
    long double HeightInches() const { return height_; }
    long double WidthInches() const { return width_; }
    int Ppi() const { return ppi_; }
    // 0 black and white, 1 16 colours, 2 256 colours, 3 high colour, 4 true colour.
    int Colors() const;

    // The fields, for tests.
    QLineEdit* deHeight() const { return deHeight_; }
    QLineEdit* deWidth() const { return deWidth_; }
    QLineEdit* dePPI() const { return dePPI_; }
    QRadioButton* ColorButton(int i) const;

    // Checks the fields and confirms (the OK button).
    void OkClick();

private:
    // The field's number, or no value after its message was shown.
    bool ReadField(QLineEdit* field, long double min, long double max, bool integerOnly, long double& value);

    Prompt& prompt_;
    QLineEdit* deHeight_;
    QLineEdit* deWidth_;
    QLineEdit* dePPI_;
    QButtonGroup* colors_;
    long double height_ = 4;
    long double width_ = 6;
    int ppi_ = 72;
};
