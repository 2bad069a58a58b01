#pragma once
// The boxes' texts, put together from the fixed texts and what happened.
#include <string>
#include <vector>

#include "uninstaller/removal.h"
#include "uninstaller/uninstall_plan.h"

// Why the record at recordPath is not used; reading is nothing when the file could not be read.
std::string RefusalText(const std::string& recordPath, const PlanReading* reading);

// "Не удалось удалить:" and the first items, each with its reason.
std::string NotRemovedText(const std::vector<NotRemoved>& failures);
