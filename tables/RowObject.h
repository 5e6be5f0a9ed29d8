#pragma once

// The object that one row of a table column owns: normally a sub-table, but a
// table's owner may supply objects of its own through the row events.
class TRowObject {
public:
    virtual ~TRowObject() = default;
};
