#pragma once

#include "apps/orvane/ledger/Sqlite.h"

#include <cstdint>
#include <string>

namespace orvane::ledger {

// "ORVL" in ASCII: marks a SQLite file as a ledger of ours, so another program's database is
// never mistaken for one (and never altered).
constexpr std::int32_t kApplicationId = 0x4F52564C;

// The newest schema this code knows: the number of migration steps.
int schemaVersion();

// Checks that the open database is a ledger this code can use (an empty file counts) and brings
// its schema up to date, one step per version, in one write transaction so that two processes
// opening a new file at once migrate it once. "" when it is ready, else why it was refused; a
// refused file is left exactly as it was.
std::string prepareSchema(Database& db, const std::string& path);

}  // namespace orvane::ledger
