#include "apps/orvane/ledger/LedgerPath.h"

namespace orvane::ledger {

LedgerChoice chooseLedger(const std::string& option, bool off, PathStyle style,
                          const EnvironmentLookup& env) {
    if (off) return {};
    if (!option.empty()) return {option, {}};
    auto variable = [&env](const char* name) -> std::string {
        if (!env) return {};
        return env(name).value_or(std::string());
    };
    if (std::string chosen = variable("ORVANE_LEDGER"); !chosen.empty()) return {chosen, {}};
    if (style == PathStyle::Windows) {
        const std::string local = variable("LOCALAPPDATA");
        if (local.empty()) return {{}, "LOCALAPPDATA is not set: name the ledger with --ledger FILE"};
        return {local + "\\orvane\\ledger.db", {}};
    }
    if (std::string data = variable("XDG_DATA_HOME"); !data.empty()) return {data + "/orvane/ledger.db", {}};
    const std::string home = variable("HOME");
    if (home.empty())
        return {{}, "neither XDG_DATA_HOME nor HOME is set: name the ledger with --ledger FILE"};
    return {home + "/.local/share/orvane/ledger.db", {}};
}

}  // namespace orvane::ledger
