#pragma once
#include "tables/TableFormGeometry.h"

#include <QSize>

class QLabel;
class QPushButton;
class QTableView;
class QWidget;
class TGridTable;
class TTableModel;

// The parts of an editor window that its metrics are measured from.
struct TableFormParts {
    const TGridTable& table;
    const TTableModel& model;
    const QTableView& grid;
    const QPushButton* buttons[3];  // add, insert, delete
    bool buttonsVisible;
    const QLabel& comments;
    const QWidget* picture;         // the help picture; null without one
    const QWidget* frame;           // the child window around the editor; null for none
    int ppi;                        // pixels per inch across
    QSize combo;                    // from MeasureComboBox; invalid without drop-down lists
};

// What the window's font, frames and parts measure: its grid's rows and
// columns (each wide enough for the widest number or choice it can show),
// scroll bars, buttons, comment and picture.
TableFormMetrics MeasureTableForm(const TableFormParts& parts);

// A drop-down list's height and the width of its frame and arrow around its
// text; invalid when no visible column of `table` shows drop-down lists or row buttons.
QSize MeasureComboBox(const TGridTable& table);
