#include "ui/dialogs/DlgSectionCatalogue.h"

#include "ui/dialogs/SettingsTable.h"
#include "units/Prompt.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

TDlgSectionCatalogue::TDlgSectionCatalogue(QWidget* parent, Prompt& prompt, UnitSystem unitSystem)
    : QDialog(parent), prompt_(prompt), list_(ReadCatalogueList(UserFile())), table_(NewSettingsTable(this, "Sections"))
{
    setWindowTitle("Pick from Catalogue");
    setAccessibleName("Pick from Catalogue");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetSettingsCaptions(*table_, CatalogueColumnCaptions(unitSystem));
    table_->setRowCount(static_cast<int>(list_.rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const std::vector<std::string> texts = CatalogueRowTexts(list_.rows[static_cast<std::size_t>(r)], unitSystem);
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            const bool numeric = c >= 2 && c <= 4;
            QTableWidgetItem* item = EntryItem(texts[static_cast<std::size_t>(c)], numeric);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    // Wide and tall enough to read the rows at their full width where the
    // screen has room; on a smaller screen the window opens smaller and the
    // table scrolls, the notes and buttons below it kept whole.
    const int x = fontMetrics().horizontalAdvance(QLatin1Char('x')), line = fontMetrics().height();
    table_->setMinimumSize(x * 40, line * 6);

    auto* note = new QLabel(QString::fromStdString(CatalogueBasisNote()), this);
    note->setWordWrap(true);
    note->setAccessibleName("How EI is taken");
    auto* own = new QLabel("Your own sections: " + QDir::toNativeSeparators(QString::fromStdString(UserFile())) +
                               " (the layout of the program's sections.csv; rows name their source).",
                           this);
    own->setWordWrap(true);
    own->setTextInteractionFlags(Qt::TextSelectableByMouse);
    own->setAccessibleName("Your own sections file");
    auto* folder = new QPushButton("Open &Folder of Your Sections", this);
    folder->setAccessibleName("Open Folder of Your Sections");
    connect(folder, &QPushButton::clicked, this, &TDlgSectionCatalogue::OpenUserFolder);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Pick");
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName("Pick");
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_, 1);
    layout->addWidget(own);
    auto* row = new QHBoxLayout;
    row->addWidget(folder);
    row->addStretch(1);
    row->addWidget(buttons);
    layout->addLayout(row);
    resize(x * 150 + 2 * layout->contentsMargins().left(), line * 34);
    if (!list_.problem.empty())
        prompt_.Information(list_.problem);
}

std::string TDlgSectionCatalogue::UserFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(folder).filePath("sections.csv").toStdString();
}

const TCatalogueEntry* TDlgSectionCatalogue::Picked() const
{
    const int row = table_->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(list_.rows.size()))
        return nullptr;
    return &list_.rows[static_cast<std::size_t>(row)];
}

void TDlgSectionCatalogue::OpenUserFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!QDir().mkpath(folder)) {
        prompt_.Information("The folder \"" + QDir::toNativeSeparators(folder).toStdString() +
                            "\" could not be made.");
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        prompt_.Information("The folder \"" + QDir::toNativeSeparators(folder).toStdString() +
                            "\" could not be opened: open it with the file manager.");
}
