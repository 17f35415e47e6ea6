// The standard check as the job of a run over many computers.
#pragma once
#include <functional>

#include "inventory/multi_check.h"
#include "standard/category_store.h"

// Receives the stores of a check that read something and was not stopped, with the
// summary and the result so far (OK or incomplete); returns the final result (a file
// error after setting the summary's message, say). The stores are released afterwards
// unless it moves them away.
using StandardDelivery =
    std::function<ComputerResult(ComputerSummary& summary, ComputerResult result, StandardStores& stores)>;

// Reads the 28 categories into stores of its own (raw values kept), fills the summary's
// inventory fields and hands the stores to `deliver`.
ComputerJob StandardJob(StandardDelivery deliver);
