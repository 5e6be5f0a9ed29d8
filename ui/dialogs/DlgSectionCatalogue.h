#pragma once
#include "ui/rules/SectionPick.h"

#include <QDialog>

#include <string>

class Prompt;
class QLabel;
class QTableWidget;

// "Pick from Catalogue": the program's steel sections and the user's own (the
// file sections.csv of the same layout in the program's settings folder, which
// a button opens), each row naming its source, with EI, W and the shear area
// in the wall's units. OK (or a double click) picks the selected row.
class TDlgSectionCatalogue : public QDialog {
    Q_OBJECT
public:
    TDlgSectionCatalogue(QWidget* parent, Prompt& prompt, UnitSystem unitSystem);

    // The user's own sections file.
    static std::string UserFile();
    // The row picked; null before OK.
    const TCatalogueEntry* Picked() const;
    QTableWidget* Table() const { return table_; }

private:
    void OpenUserFolder();

    Prompt& prompt_;
    TCatalogueList list_;
    QTableWidget* table_;
};
