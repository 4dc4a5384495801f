#pragma once
// Several macros of one kind shown as one record, and a change of that record written back to each of
// them. Merging keeps a value every macro shares and marks one they hold differently: a text as the
// mixed text, a number with its mixed value (-1, or 2 for the three-state switches of bolts); a list or an
// array of records of the same length element by element, of another length as the first macro has it;
// a yes/no switch as the first macro has it. Writing back takes from the record only what differs from
// the merge of the macros as they are (what the person changed), so that each macro keeps the rest.
#include "vtlbase/macro/macro_tab_data.h"

namespace vtl::base {

// One field of the merge: kept when `next` holds the same, else the mixed text / the mixed number.
void mergeText(Vtl_String& into, const Vtl_String& next);
void mergeNumber(int& into, int next, int mixed = -1);

// Merges `next` into `into`, which holds the merge of the tabs before it. Profiles are not merged: every
// macro's profile records are appended (each describes its own profile object).
void mergeTab(MacroTabData& into, const MacroTabData& next);

// Writes into `macro`, one of the macros edited together, what `record` changed against `merged`, the
// merge of all of them before the change: cells (by name) and patterns (by position) listed in the change
// lists, and the other parts the first list names with their codes (MacroChange).
void writeChanges(MacroTabData& macro, const MacroTabData& record, const MacroTabData& merged, const AcArray<int>& changes1,
                  const AcArray<int>& changes2);

// Brings the record up to what the macros now hold (their merge): every value, no binding key.
void readBackMerged(MacroTabData& record, const MacroTabData& merged);

}  // namespace vtl::base
