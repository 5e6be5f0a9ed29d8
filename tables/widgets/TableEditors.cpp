#include "tables/widgets/TableEditors.h"

TTableForm* TTableEditors::Of(const TGridTable& table) const
{
    const auto it = open_.find(&table);
    return it == open_.end() ? nullptr : it->second;
}

void TTableEditors::SetFormParent(const TGridTable& table, QWidget* parent)
{
    if (parent)
        parents_[&table] = parent;
    else
        parents_.erase(&table);
}

QWidget* TTableEditors::FormParent(const TGridTable& table) const
{
    const auto it = parents_.find(&table);
    return it == parents_.end() ? nullptr : it->second.data();
}

void TTableEditors::Edited(const std::string& caption) const
{
    if (edited_)
        edited_(caption);
}
