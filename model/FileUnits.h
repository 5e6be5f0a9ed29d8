#pragma once
#include <string>

#include "units/Units.h"

// The factors between the units a table shows and the units of the wall data
// file. In English units the tables show feet, pounds per square foot and pounds
// per cubic foot where the file holds inches, psi and pounds per cubic inch; in
// SI and generic units the two agree. The data file writer and reader and the
// analysis engine all take these factors from here.

// The factor of one table column as a fraction, so that both directions are
// computed without an inexact reciprocal: file value = table value * Multiply / Divide.
struct FileUnitFactor {
    long double Multiply = 1;
    long double Divide = 1;
};

// The factor of column `column` (0-based, all columns) of the table or sub-table
// template named `tableName`, for a table in unit system `unitSystem`. Columns
// without a stated factor, and every column outside the English system, give 1/1.
FileUnitFactor FileFactor(const std::string& tableName, int column, UnitSystem unitSystem);

// A table value in the units of the data file.
long double ToFileUnits(long double tableValue, const std::string& tableName, int column, UnitSystem unitSystem);

// A data-file value in the units of the table.
long double FromFileUnits(long double fileValue, const std::string& tableName, int column, UnitSystem unitSystem);
