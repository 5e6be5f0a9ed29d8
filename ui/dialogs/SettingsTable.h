#pragma once
#include <QString>

#include <string>
#include <vector>

class QTableWidget;
class QWidget;
class QTableWidgetItem;

// What the Anchors and Steel Sections windows share: their tables of settings.

// A table of settings: one row selected at a time, typing starts an entry.
QTableWidget* NewSettingsTable(QWidget* parent, const QString& accessibleName);
// Sets the column captions (units in brackets go to a second line).
void SetSettingsCaptions(QTableWidget& table, const std::vector<std::string>& captions);
// A cell that is shown only, or one the user types into.
QTableWidgetItem* ShownItem(const std::string& text, bool numeric = true);
QTableWidgetItem* EntryItem(const std::string& text, bool numeric = true);
// Hands an entry still being typed in a cell to the table, as Return does
// (the window is left, or a command wants the wall as it stands).
void CommitOpenEntry(QTableWidget& table);
// Sizes the table to show its columns whole and up to `rows` rows without scrolling.
void FitSettingsTable(QTableWidget& table, int rows);
