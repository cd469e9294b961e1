// The fixed list of actions registered with the host, in registration order.
#pragma once

struct CatalogueRow {
    int id;              // 0 for a group header
    const char* name;    // action name, or the group title
    const char* hint;    // "" for a group header
    const char* types;   // one type code per parameter, as characters '1', '5', '6'
    int count;           // parameter count
};

const int kCatalogueRows = 167;
extern const CatalogueRow kCatalogue[kCatalogueRows];

// Name of the action with this id, "" for ids without a row.
const char* ActionName(int id);
// Usage text of the action, "" for ids without a row.
const char* ActionLongHelp(int id);
// Row of the action with this id, null when none.
const CatalogueRow* FindCatalogueRow(int id);
// Id of the action with this name (case-insensitive), 0 when none.
int FindActionId(const char* name);
