#include "apps/orvane/Programs.h"

#include "apps/brelund/BrelundProfile.h"
#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/quorvex/QuorvexProfile.h"
#include "apps/quorvex/QuorvexRegisterModel.h"

#include <algorithm>
#include <cctype>

namespace orvane::cli {

namespace {

std::vector<std::string> namesOf(const Profile& profile) {
    std::string program = profile.programName;
    for (char& c : program)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {profile.moduleName, program};
}

}  // namespace

const std::vector<ProgramEntry>& programs() {
    static const std::vector<ProgramEntry> all{
        {&quorvex::profile,
         [] { return std::unique_ptr<IRegisterModel>(new quorvex::QuorvexRegisterModel()); }},
        {&brelund::profile,
         [] { return std::unique_ptr<IRegisterModel>(new brelund::BrelundRegisterModel()); }},
    };
    return all;
}

std::vector<std::string> moduleNames() {
    std::vector<std::string> names;
    for (const ProgramEntry& program : programs()) {
        for (std::string& name : namesOf(program.profile()))
            names.push_back(std::move(name));
    }
    return names;
}

const ProgramEntry& programNamed(const std::string& name) {
    for (const ProgramEntry& program : programs()) {
        const std::vector<std::string> names = namesOf(program.profile());
        if (std::find(names.begin(), names.end(), name) != names.end()) return program;
    }
    return programs().front();  // the command line accepts only the names above
}

}  // namespace orvane::cli
