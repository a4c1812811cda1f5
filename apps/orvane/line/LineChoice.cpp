#include "apps/orvane/line/Line.h"

namespace orvane::line {

LineChoice chooseLine(const std::string& option, const ledger::EnvironmentLookup& environment) {
    LineChoice choice{option, {}};
    if (choice.url.empty() && environment)
        if (const auto value = environment("ORVANE_LINE")) choice.url = *value;
    if (!choice.url.empty()) choice.error = tlsRefusal(choice.url);
    return choice;
}

std::string leftoverNote(const LineUploader::Left& left) {
    if (left.pending == 0) return {};
    std::string note = left.pending < 0 ? std::string("attempts may be left")
                                        : std::to_string(left.pending) +
                                              (left.pending == 1 ? " attempt is" : " attempts are") + " left";
    note += " in the ledger's outbox, not yet on the line";
    if (!left.error.empty()) note += " (" + left.error + ")";
    return note + "; they go up with the next attempt or 'orvane sync'";
}

}  // namespace orvane::line
