#pragma once

#include "apps/orvane/line/Pg.h"

#include <string>

namespace orvane::line {

// The newest schema of the line's database this code knows: the number of migration steps.
int lineSchemaVersion();

// Brings the line's tables (schema "orvane") up to date, one step per version, all in one
// transaction under an advisory lock, so that two stations starting at once migrate them once.
// A database that is already current is only read (a station's role needs no more than SELECT
// and INSERT). "" when the tables are ready, else why not: a role that may not create them is
// told to have the owner run `orvane line init`.
std::string prepareLine(PgConnection& conn);

}  // namespace orvane::line
