// The computer sheet: one computer from one standard check, as an administrator puts it in
// a ticket or an audit, as one self-contained HTML page in the user interface language.
// The check may come from the store, a live check or a file; the history from the store.
#pragma once
#include <string>

#include "report/sheet_history.h"
#include "store/stored_check.h"

// The page for `check` with the store's `history` of the computer, made at `madeAt`.
std::string ComputerSheetHtml(const StoredCheck& check, const SheetHistory& history, const CheckTime& madeAt);
