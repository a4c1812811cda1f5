#include "apps/orvane/line/Line.h"

namespace orvane::line {

LineChoice chooseLine(const std::string& option, const ledger::EnvironmentLookup& environment) {
    LineChoice choice{option, {}};
    if (choice.url.empty() && environment)
        if (const auto value = environment("ORVANE_LINE")) choice.url = *value;
    if (!choice.url.empty() && !available())
        choice.error =
            "a line (--line, ORVANE_LINE) is not available in this build: it has no PostgreSQL client";
    return choice;
}

}  // namespace orvane::line
