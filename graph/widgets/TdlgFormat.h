#pragma once
#include <QDialog>

class Prompt;
class QButtonGroup;
class QRadioButton;
class TDataEdit;

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
    TDataEdit* deHeight() const { return deHeight_; }
    TDataEdit* deWidth() const { return deWidth_; }
    TDataEdit* dePPI() const { return dePPI_; }
    QRadioButton* ColorButton(int i) const;

    // Checks the fields and confirms (the OK button).
    void OkClick();

protected:
    // Enter in a field, which a numeric field keeps for itself, is OK's as everywhere else in the dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDataEdit* AddField(class QFormLayout* form, const QString& caption, long double value, long double min,
                        long double max, bool integerOnly, const QString& unit);

    Prompt& prompt_;
    TDataEdit* deHeight_;
    TDataEdit* deWidth_;
    TDataEdit* dePPI_;
    QButtonGroup* colors_;
    long double height_ = 4;
    long double width_ = 6;
    int ppi_ = 72;
};
