#pragma once
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

class TGridTable;
class TTableForm;

// The table editors of one main window: the editor open on each table, the
// hosts given to some of them, and who is told of the changes they make. The
// main window owns it and hands it to the editors it opens, so that two
// windows in one process neither find nor report each other's editors.
class TTableEditors {
public:
    // Told of every change an editor made to its table, named for the Edit
    // menu ("Add Row in Soil Layers").
    using EditListener = std::function<void(const std::string& caption)>;

    TTableEditors() = default;
    TTableEditors(const TTableEditors&) = delete;
    TTableEditors& operator=(const TTableEditors&) = delete;

    // The open editor of a table, or null.
    TTableForm* Of(const TGridTable& table) const;
    // An editor opened on `table`.
    void Opened(const TGridTable& table, TTableForm& form) { open_[&table] = &form; }
    // The editor of `table` let go of it.
    void Closed(const TGridTable& table) { open_.erase(&table); }

    // Makes `parent` host the editor of `table` as a borderless child at (0, 0)
    // (null: the editor is a child window of the main window again).
    void SetFormParent(const TGridTable& table, QWidget* parent);
    // The host given to the editor of `table`; null when none is (or it is gone).
    QWidget* FormParent(const TGridTable& table) const;

    // Installs the listener of the editors' changes (empty: none).
    void SetEditListener(EditListener listener) { edited_ = std::move(listener); }
    // Tells the listener, if any, of a change named `caption`.
    void Edited(const std::string& caption) const;

private:
    std::map<const TGridTable*, TTableForm*> open_;
    std::map<const TGridTable*, QPointer<QWidget>> parents_;
    EditListener edited_;
};
