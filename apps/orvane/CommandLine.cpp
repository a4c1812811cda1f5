#include "apps/orvane/CommandLine.h"

#include "apps/orvane/ledger/TimeText.h"
#include "apps/orvane/production/Verdict.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace orvane::cli {

namespace {

// The commands as bits, so an option can name the commands that take it.
enum : unsigned {
    kPorts = 1,
    kInfo = 2,
    kTest = 4,
    kCheck = 8,
    kWrite = 16,
    kRun = 32,
    kHistory = 64,
    kReport = 128,
    kSync = 256,
    kLine = 512
};
constexpr unsigned kAll =
    kPorts | kInfo | kTest | kCheck | kWrite | kRun | kHistory | kReport | kSync | kLine;
constexpr unsigned kLedger = kHistory | kReport | kSync;
constexpr unsigned kModule = kInfo | kTest | kCheck | kWrite | kRun;
constexpr unsigned kChannels = kTest | kCheck | kWrite | kRun;

struct CommandInfo {
    Command command;
    unsigned bit;
    const char* name;
    const char* summary;
    const char* synopsis;
    const char* description;
};

constexpr CommandInfo kCommands[] = {
    {Command::Ports, kPorts, "ports", "list the serial ports, and whether each can be opened now",
     "[--probe]",
     "Lists every serial port: its COMn name as the windows show it, the device, its description,\n"
     "and whether it can be opened now (with the reason when not). With --probe, asks every port that\n"
     "opens which module answers there.\n"},
    {Command::Info, kInfo, "info", "read a module's firmware version and serial number",
     "--module M --port P", "Reads the module's firmware version and serial number.\n"},
    {Command::Test, kTest, "test", "load one channel into a module for a trial, without storing it",
     "--module M --port P --channel N (--freq ...|--table FILE|--settings FILE)",
     "Reads the module's identity, then loads channel N's register values into it for a trial\n"
     "(nothing is stored) and judges the echo.\n"},
    {Command::Check, kCheck, "check", "read the four channels back and compare them",
     "--module M --port P (--freq ...|--table FILE|--settings FILE)",
     "Reads the module's identity, then its four channels, and compares them with the register\n"
     "values of the channels given.\n"},
    {Command::Write, kWrite, "write", "write the four channels into a module's flash",
     "--module M --port P (--freq ...|--table FILE|--settings FILE) [--check] [--log FILE] [--record FILE]",
     "Writes the four channels into the module's flash; with --check reads them back and compares.\n"
     "A channel whose echo stops short of the values sent is read back before the write passes.\n"
     "The module's serial number is read again after the last echo (and after the check): another\n"
     "module, or none, fails as module-changed, and nothing is logged for it.\n"},
    {Command::Run, kRun, "run", "production: write and check module after module on one or more rigs",
     "--module M --port P [--port P ...] (--freq ...|--table FILE|--settings FILE) [options]",
     "Production line: on every rig (one --port each, all at once) waits for a module, writes and\n"
     "checks it, prints PASS or FAIL with its serial number and the reason, waits until it is taken\n"
     "off and starts over. A module still on its rig is never written twice; one taken off and put\n"
     "on again (the rig empty for at least half a second) is written again, its line marked\n"
     "(again). The serial number is read again after the write and after the check: another\n"
     "module, or none, fails as module-changed. {interrupt} ends the line after the\n"
     "modules in hand; a second one aborts them. A summary ends the run.\n"},
    {Command::History, kHistory, "history", "every attempt at one unit, from the ledger",
     "SERIAL [--ledger FILE]",
     "Lists every attempt at the unit with that serial number, newest first (time, station, port,\n"
     "outcome, reason), then the four channels it holds after its last attempt that passed, or\n"
     "that it never passed. A serial the ledger has never seen gives \"no attempts\" (exit 0).\n"},
    {Command::Report, kReport, "report", "yields and failures over a period, from the ledger",
     "[--since T] [--until T] [--by GROUP] [--csv] [--html FILE] [--ledger FILE]",
     "Counts the attempts that started in the period, per group and in total (times in local time):\n"
     "  units             distinct serial numbers with an attempt in the period\n"
     "  first-pass yield  units whose first attempt ever passed, over the units whose first\n"
     "                    attempt lies in the period\n"
     "  final yield       units whose last attempt in the period passed, over the units\n"
     "  retest rate       units with more than one attempt in the period, over the units\n"
     "  attempts/unit     the units' attempts in the period, over the units\n"
     "  failures          failed attempts by reason code, most frequent first\n"
     "Within a group only its own attempts count; a unit's first attempt ever counts in the group\n"
     "it belongs to. An attempt whose module never sent a serial number counts among the failures\n"
     "and as unidentified, never as a unit.\n"
     "With --line the figures are the whole line's, from its database; a unit seen on several\n"
     "stations counts once.\n"},
    {Command::Sync, kSync, "sync", "copy the attempts the line has not got yet to its database",
     "[--ledger FILE] [--line URL]",
     "Copies every attempt still in the ledger's outbox to the line's database (--line, else\n"
     "$ORVANE_LINE) and says how many went up. Copying is idempotent: an attempt the line already\n"
     "holds is kept once.\n"},
    {Command::Line, kLine, "line", "set up a line's database: 'line init URL'", "init [URL]",
     "Creates the line's tables in the database at URL (else $ORVANE_LINE), or brings them up to\n"
     "date; run it as the database's owner. Stations then need only SELECT and INSERT.\n"},
};

// How an option's value goes into the options: empty when it is good, else what is wrong.
using Reader = std::string (*)(Options&, const std::string& value, const std::vector<std::string>& modules);

struct OptionSpec {
    const char* name;
    const char* value;  // the value's name in the help; nullptr for a flag
    unsigned commands;
    bool repeatable;
    const char* help;  // "{modules}" stands for the module names
    Reader read;
};

std::optional<int> wholeNumber(std::string_view text, int min, int max) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

// "a, b or c".
std::string alternatives(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text;
}

// "F0,F1,F2,F3": four texts, Ch0 first.
std::optional<std::array<std::string, 4>> fourTexts(std::string_view list) {
    std::array<std::string, 4> texts;
    std::size_t ch = 0;
    for (char c : list) {
        if (c == ',') {
            if (++ch == texts.size()) return std::nullopt;
        } else {
            texts[ch] += c;
        }
    }
    if (ch != texts.size() - 1) return std::nullopt;
    return texts;
}

std::string needsFile(const std::string& value) {
    return value.empty() ? "needs a file name" : "";
}

std::string moment(const std::string& value) {
    return ledger::parseLocalMoment(value) ? ""
                                           : "expects a date 2026-12-07 or a date and time 2026-12-07T06:00";
}

const OptionSpec kOptions[] = {
    {"--module", "M", kModule, false, "the module: {modules}",
     [](Options& o, const std::string& v, const std::vector<std::string>& modules) -> std::string {
         if (std::find(modules.begin(), modules.end(), v) == modules.end())
             return "expects " + alternatives(modules);
         o.module = v;
         return {};
     }},
    {"--port", "P", kModule, true,
     "{ports}, as the port list names it;\n"
     "run takes several, one rig each",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         if (v.empty()) return "needs a port name";
         o.ports.push_back(v);
         return {};
     }},
    {"--freq", "F0,F1,F2,F3", kChannels, false, "the four channels in MHz, Ch0 first (868.3000,...)",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         o.channels.texts = fourTexts(v);
         return o.channels.texts ? "" : "expects four frequencies F0,F1,F2,F3 (Ch0 first)";
     }},
    {"--table", "FILE", kChannels, false, "the channels of a frequency table file",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.channels.file = v;
         return needsFile(v);
     }},
    {"--settings", "FILE", kChannels, false, "the channels of a program's settings file",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.channels.file = v;
         return needsFile(v);
     }},
    {"--allow-out-of-band", nullptr, kChannels, false,
     "accept channels outside the band, for the transmitter off the\n"
     "12.5 kHz raster, for the receiver one its synthesiser cannot\n"
     "reach exactly; a computable number is still needed",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.allowOutOfBand = true;
         return std::string();
     }},
    {"--channel", "N", kTest, false, "the channel to test, 0 to 3",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         const auto ch = wholeNumber(v, 0, 3);
         if (!ch) return "expects a channel 0 to 3";
         o.channel = *ch;
         return {};
     }},
    {"--check", nullptr, kWrite, false, "read the channels back after writing and compare",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.checkAfterWrite = true;
         return std::string();
     }},
    {"--log", "FILE", kWrite | kRun, false,
     "append the operation record of each module that passed to FILE\n"
     "(the windows' log format; after the check with --check); one that\n"
     "cannot take it is refused first",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.logFile = v;
         return needsFile(v);
     }},
    {"--record", "FILE", kWrite | kRun, false,
     "append one JSON record per module and attempt to FILE, pass or\n"
     "fail; one that cannot take it is refused first",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.recordFile = v;
         return needsFile(v);
     }},
    {"--label", "KEY=VALUE", kWrite | kRun, true, "a label for the records (operator, lot, station, ...)",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         const auto eq = v.find('=');
         if (eq == std::string::npos || eq == 0) return "expects KEY=VALUE";
         o.labels[v.substr(0, eq)] = v.substr(eq + 1);
         return {};
     }},
    {"--retries", "N", kWrite | kRun, false,
     "write and check a module that failed by its answer again, up to N\n"
     "more times (not after a port failure, the wrong module type or\n"
     "another module at the end)",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         const auto n = wholeNumber(v, 0, 100);
         if (!n) return "expects a number of retries 0 to 100";
         o.retries = *n;
         return {};
     }},
    {"--count", "N", kRun, false, "end after N modules in all, over all rigs",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         const auto count = wholeNumber(v, 1, 1000000);
         if (!count) return "expects a number of modules from 1 up";
         o.count = *count;
         return {};
     }},
    {"--stop-after", "K", kRun, false, "stop a rig after K modules in a row failed on it",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         const auto k = wholeNumber(v, 1, 1000000);
         if (!k) return "expects a number of modules from 1 up";
         o.stopAfter = *k;
         return {};
     }},
    {"--ledger", "FILE", kLedger | kWrite | kRun, false,
     "the ledger (default: $ORVANE_LEDGER, else the station's own\n"
     "ledger.db under $XDG_DATA_HOME/orvane or ~/.local/share/orvane, on\n"
     "Windows %LOCALAPPDATA%\\orvane); write and run record every attempt\n"
     "there, and refuse to start when it cannot be opened",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.ledgerFile = v;
         return needsFile(v);
     }},
    {"--no-ledger", nullptr, kWrite | kRun, false, "keep no ledger of the attempts",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.noLedger = true;
         return std::string();
     }},
    {"--station", "NAME", kWrite | kRun, false, "the station's name in the ledger (default: the host name)",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         if (v.empty()) return "needs a name";
         o.station = v;
         return {};
     }},
    {"--line", "URL", kWrite | kRun | kHistory | kReport | kSync, false,
     "the line's PostgreSQL database, a libpq connection string or URL\n"
     "(default for write, run and sync: $ORVANE_LINE); passwords belong in\n"
     "~/.pgpass or a service file, never here. write and run copy each\n"
     "attempt there; history and report answer for the whole line",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         if (v.empty()) return "needs a connection string or URL";
         o.lineUrl = v;
         return {};
     }},
    {"--since", "T", kReport, false,
     "count attempts from T on: a date (2026-12-07) or a date and time\n(2026-12-07T06:00), local time",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.since = v;
         return moment(v);
     }},
    {"--until", "T", kReport, false, "count attempts before T; a date counts its whole day",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.until = v;
         return moment(v);
     }},
    {"--by", "GROUP", kReport, false,
     "a figure per day (local time), station, rig (station and port),\nmodule or label key (lot, operator, "
     "...)",
     [](Options& o, const std::string& v, const std::vector<std::string>&) -> std::string {
         if (v.empty()) return "expects day, station, rig, module or a label key";
         o.by = v;
         return {};
     }},
    {"--csv", nullptr, kReport, false, "one comma-separated line per group, with a header line",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.csv = true;
         return std::string();
     }},
    {"--html", "FILE", kReport, false, "also write the report as one self-contained web page with charts",
     [](Options& o, const std::string& v, const std::vector<std::string>&) {
         o.htmlFile = v;
         return needsFile(v);
     }},
    {"--probe", nullptr, kPorts, false, "ask every port that opens which module answers there",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.probe = true;
         return std::string();
     }},
    {"--json", nullptr, kAll, false, "one JSON object per line on stdout",
     [](Options& o, const std::string&, const std::vector<std::string>&) {
         o.json = true;
         return std::string();
     }},
};

// The exit statuses, and the commands that can end with each.
struct StatusSpec {
    int status;
    unsigned commands;
    const char* meaning;
};

constexpr StatusSpec kStatuses[] = {
    {kExitSuccess, kAll, "success (run: every module passed)"},
    {kExitModule, kModule,
     "the module answered wrongly or not at all, the reason named (run: a module\n"
     "failed, or a rig stopped after --stop-after failures)"},
    {kExitUsage, kAll, "usage or input error (nothing was sent)"},
    {kExitPort, kModule, "a port names nothing, could not be opened or failed"},
    {kExitFile, kWrite | kRun, "a module passed but its record could not be appended (--log, --record)"},
    {kExitFile, kLedger,
     "the ledger (or the --html page) could not be opened, read or written: missing,\n"
     "another program's database or made by a newer orvane"},
    {kExitLine, kSync | kLine,
     "the line's database could not be reached or refused the upload (reason\n"
     "line-error); what was not copied stays in the outbox"},
    {kExitLine, kHistory | kReport,
     "with --line: the line's database could not be reached or read (line-error)"},
    {kExitInterrupted, kPorts | kModule,
     "interrupted ({interrupt}) before the end (run: only with\n"
     "--count, before N modules)"},
};

const CommandInfo* commandNamed(std::string_view name) {
    for (const CommandInfo& info : kCommands)
        if (name == info.name) return &info;
    return nullptr;
}

const CommandInfo& infoOf(Command command) {
    for (const CommandInfo& info : kCommands)
        if (info.command == command) return info;
    return kCommands[0];
}

const OptionSpec* optionNamed(std::string_view name) {
    for (const OptionSpec& spec : kOptions)
        if (name == spec.name) return &spec;
    return nullptr;
}

// The text with each "{name}" put in from the platform's words.
std::string withWords(std::string text, const PlatformWords& words) {
    for (const auto& [name, value] :
         {std::pair{"{ports}", &words.ports}, {"{interrupt}", &words.interrupt}}) {
        const std::string key = name;
        for (std::size_t at = 0; (at = text.find(key, at)) != std::string::npos; at += value->size())
            text.replace(at, key.size(), *value);
    }
    return text;
}

// The help lines of the options a command takes, each value-name column aligned.
std::string optionHelp(unsigned command, const std::vector<std::string>& modules) {
    std::string text;
    for (const OptionSpec& spec : kOptions) {
        if ((spec.commands & command) == 0) continue;
        std::string head = std::string("  ") + spec.name + (spec.value ? std::string(" ") + spec.value : "");
        std::string help = spec.help;
        if (const auto at = help.find("{modules}"); at != std::string::npos)
            help.replace(at, 9, alternatives(modules));
        std::string indent(22, ' ');
        if (head.size() < 22)
            head.resize(22, ' ');
        else
            head += "\n" + indent;
        for (std::size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += indent.size() + 1)
            help.insert(at + 1, indent);
        text += head + help + "\n";
    }
    return text + "  --help              this text\n";
}

std::string statusHelp(unsigned command) {
    std::string text = "\nExit status:\n";
    for (const StatusSpec& spec : kStatuses) {
        if ((spec.commands & command) == 0) continue;
        std::string status = std::to_string(spec.status);
        status.resize(3, ' ');
        std::string meaning = spec.meaning;
        for (std::size_t at = 0; (at = meaning.find('\n', at)) != std::string::npos; at += 8)
            meaning.insert(at + 1, 7, ' ');
        text += "  ";
        text += status;
        text += "  ";
        text += meaning;
        text += "\n";
    }
    return text;
}

}  // namespace

Parsed parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& modules) {
    Parsed result;
    Options& o = result.options;
    // --json shapes every answer, a usage error's included.
    o.json = std::find(args.begin(), args.end(), "--json") != args.end();
    if (args.empty()) {
        result.error = "a command is needed";
        return result;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        o.help = true;
        if (args.size() > 1) {
            if (const CommandInfo* info = commandNamed(args[1])) o.command = info->command;
        }
        return result;
    }
    if (first == "--version") {
        o.version = true;
        return result;
    }
    const CommandInfo* command = commandNamed(first);
    if (!command) {
        result.error = "unknown command '" + first + "'";
        return result;
    }
    o.command = command->command;

    std::vector<const OptionSpec*> given;
    int sources = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto fail = [&](const std::string& why) {
            result.error = name;
            result.error += ": " + why;
            return result;
        };
        if (name == "--help" || name == "-h") {
            o.help = true;
            return result;
        }
        if (command->command == Command::History && !name.starts_with("-") && o.serial.empty()) {
            o.serial = name;
            continue;
        }
        if (command->command == Command::Line && !name.starts_with("-")) {
            if (o.lineAction.empty() && name == "init")
                o.lineAction = name;
            else if (!o.lineAction.empty() && o.lineUrl.empty())
                o.lineUrl = name;
            else
                return fail("unexpected argument");
            continue;
        }
        const OptionSpec* spec = optionNamed(name);
        if (!spec || (spec->commands & command->bit) == 0) {
            if (!name.starts_with("-")) return fail("unexpected argument");
            return fail(std::string("not an option of '") + command->name + "'");
        }
        if (!spec->repeatable && std::find(given.begin(), given.end(), spec) != given.end())
            return fail("given twice");
        if (spec->repeatable && name == "--port" && command->command != Command::Run && !o.ports.empty())
            return fail("given twice (only run takes several ports)");
        given.push_back(spec);
        std::string value;
        if (spec->value == nullptr) {
            if (inlineValue) return fail("takes no value");
        } else if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return fail("needs a value");
        }
        if (name == "--freq" || name == "--table" || name == "--settings") ++sources;
        if (const std::string why = spec->read(o, value, modules); !why.empty()) return fail(why);
    }

    if (command->bit & kModule) {
        if (o.module.empty())
            result.error = "--module is needed";
        else if (o.ports.empty())
            result.error = "--port is needed";
    }
    if (result.error.empty() && (command->bit & kChannels) && sources != 1)
        result.error = sources == 0 ? "the channels are needed: --freq, --table or --settings"
                                    : "give the channels once: --freq, --table or --settings";
    if (result.error.empty() && o.command == Command::Test &&
        std::find(given.begin(), given.end(), optionNamed("--channel")) == given.end())
        result.error = "--channel is needed";
    if (result.error.empty() && o.command == Command::History && o.serial.empty())
        result.error = "the unit's serial number is needed";
    if (result.error.empty() && o.command == Command::Line && o.lineAction.empty())
        result.error = "what to do with the line is needed: 'orvane line init URL'";
    if (result.error.empty() && o.json && o.csv) result.error = "give one of --json and --csv";
    return result;
}

PlatformWords posixWords() {
    return {"COMn (any case), or a device path", "Ctrl-C or SIGTERM"};
}

PlatformWords windowsWords() {
    return {"COMn (any case, or \\\\.\\COMn)", "Ctrl-C, Ctrl-Break or closing the console"};
}

std::string usageText(std::optional<Command> command, const std::vector<std::string>& modules,
                      const PlatformWords& words) {
    if (!command) {
        std::string text =
            "Usage: orvane COMMAND [OPTIONS]\n\n"
            "Sets up ORVANE 868/869 MHz radio modules over a serial line, without a window.\n\n"
            "Commands:\n";
        for (const CommandInfo& info : kCommands) {
            std::string name = info.name;
            name.resize(9, ' ');
            text += "  " + name + info.summary + "\n";
        }
        text +=
            "\nRun 'orvane COMMAND --help' for a command's options. 'orvane --version' prints the version.\n";
        return withWords(text + statusHelp(kAll), words);
    }
    const CommandInfo& info = infoOf(*command);
    std::string text = std::string("Usage: orvane ") + info.name + " " + info.synopsis + " [--json]\n\n" +
                       info.description + "\nOptions:\n" + optionHelp(info.bit, modules) +
                       statusHelp(info.bit);
    // The reason codes a module's line and record can carry, with the status each gives.
    if (info.bit & (kWrite | kRun)) text += "\nReasons (exit status):\n" + reasonHelp();
    return withWords(text, words);
}

}  // namespace orvane::cli
