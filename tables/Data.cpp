#include "tables/Data.h"

#include "tables/Column.h"

int TData::AsInteger() const { return FColumn->GetInteger(FRow); }

void TData::SetAsInteger(int value) { FColumn->SetInteger(FRow, value); }

long double TData::AsFloat() const { return FColumn->GetFloat(FRow); }

void TData::SetAsFloat(long double value) { FColumn->SetFloat(FRow, value); }

TGridTable* TData::AsTable() const { return FColumn->GetTable(FRow); }

std::string TData::AsText() const { return FColumn->GetText(FRow); }

void TData::SetText(const std::string& text) { FColumn->SetText(FRow, text); }
