// The fixed lists the timeline's dialogs show: effects by display name with
// the filter a clip stores, and transitions by display name with the xfade
// name a clip stores. Each ends with an empty entry.
#pragma once

struct NamedEntry {
    const char* name;
    const char* value;
};

extern const NamedEntry kEffectTable[];
extern const NamedEntry kTransitionDisplayTable[];

// Entries before the empty one.
int NamedEntryCount(const NamedEntry* table);
// Index of the entry whose value equals `value` ignoring ASCII case, -1 when none.
int FindEntryByValue(const NamedEntry* table, const char* value);
