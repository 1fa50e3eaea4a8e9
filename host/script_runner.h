// Runs the calls of a parsed script on a device and prints one line for
// each:
//   SaleItem 1 "Хлеб" 2 45.5 1 4 3 -> 0
//   CloseReceipt -> 8 (Сумма оплаты слишком мала)
//   Disconnect
//   SaveSettings -> failed 0x80004005 (message)
#pragma once

#include <ostream>
#include <vector>

#include "host/device_caller.h"
#include "host/script.h"

// Every call runs, also after a failure; true when none returned a failure
// status.
bool RunScript(const std::vector<ScriptCall>& calls, DeviceCaller& caller, std::ostream& out);
