#include "tools/modsim/core/CommandLine.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::modsim {

namespace {

// Noise put before every reply by --noise: a CR and LF left over from an earlier line and a stray
// character, none of them a "*".
constexpr std::string_view kNoise = "\r\n~";

std::optional<long> number(std::string_view text, int base, long min, long max) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

// One option being read: its name, and its value from "--name=value" or the next argument.
class Option {
public:
    Option(const std::vector<std::string>& args, std::size_t& index)
        : m_args(args), m_index(index), m_name(args[index]) {
        if (const auto eq = m_name.find('='); m_name.starts_with("--") && eq != std::string::npos) {
            m_inlineValue = m_name.substr(eq + 1);
            m_name.resize(eq);
        }
    }

    const std::string& name() const { return m_name; }
    // True once value() found none.
    bool missing() const { return m_missing; }

    std::string value() {
        if (m_inlineValue) return *m_inlineValue;
        if (m_index + 1 < m_args.size()) return m_args[++m_index];
        m_missing = true;
        return {};
    }

    // A decimal value from min to max.
    std::optional<long> count(long min, long max) {
        const std::string text = value();
        return m_missing ? std::nullopt : number(text, 10, min, max);
    }

private:
    const std::vector<std::string>& m_args;
    std::size_t& m_index;
    std::string m_name;
    std::optional<std::string> m_inlineValue;
    bool m_missing = false;
};

// Reads a fault option into `f`: nothing when the option is no fault, otherwise what is wrong with
// its value (empty when it is good). The command line and the rig list share it.
std::optional<std::string> readFault(Option& option, SimFaults& f) {
    const std::string& name = option.name();
    if (name == "--silent") {
        f.silent = true;
    } else if (name == "--no-reply") {
        f.noReply.push_back(option.value());
        if (f.noReply.back().empty()) return "expects a command prefix";
    } else if (name == "--wrong-type") {
        f.wrongType = true;
    } else if (name == "--write-error") {
        const auto slot = option.count(0, 3);
        if (!slot) return "expects a slot 0 to 3";
        f.writeErrorSlots.insert(static_cast<int>(*slot));
    } else if (name == "--corrupt") {
        f.corrupt = true;
    } else if (name == "--corrupt-value") {
        const auto index = option.count(1, 12);
        if (!index) return "expects a value number 1 to 12";
        f.corrupt = true;
        f.corruptValue = static_cast<int>(*index);
    } else if (name == "--corrupt-on") {
        f.corrupt = true;
        f.corruptOn.push_back(option.value());
        if (f.corruptOn.back().empty()) return "expects a command prefix";
    } else if (name == "--store-wrong") {
        const auto index = option.count(1, 12);
        if (!index) return "expects a value number 1 to 12";
        f.storeWrong = static_cast<int>(*index);
    } else if (name == "--echo-values") {
        const auto count = option.count(1, 12);
        if (!count) return "expects a value count 1 to 12";
        f.echoValues = static_cast<int>(*count);
    } else if (name == "--leave-after") {
        f.leaveAfter = option.value();
        if (f.leaveAfter.empty()) return "expects a command prefix";
    } else if (name == "--chunk") {
        const auto size = option.count(1, 4096);
        if (!size) return "expects a chunk size 1 to 4096";
        f.chunkSize = static_cast<std::size_t>(*size);
    } else if (name == "--noise") {
        f.noise = kNoise;
    } else if (name == "--unsolicited-c") {
        f.unsolicitedClear = true;
    } else if (name == "--clear-failed") {
        f.unsolicitedClear = true;
        f.clearFailed = true;
    } else if (name == "--close-after") {
        const auto n = option.count(1, 1000000);
        if (!n) return "expects a command count of at least 1";
        f.closeAfter = static_cast<int>(*n);
    } else {
        return std::nullopt;
    }
    return std::string();
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t from = 0;;) {
        const std::size_t to = text.find(separator, from);
        parts.push_back(text.substr(from, to == std::string_view::npos ? to : to - from));
        if (to == std::string_view::npos) return parts;
        from = to + 1;
    }
}

std::string quoted(std::string_view text) {
    std::string result = "\"";
    result += text;
    result += '"';
    return result;
}

// Reads the --rig list "SERIAL[:FAULT]...,...": every module starts with the faults `common` and
// adds its own, each read as the fault option "--FAULT". Returns what is wrong, or empty.

std::string readRigList(std::string_view list, const SimFaults& common, std::vector<RigModule>& modules) {
    modules.clear();
    for (const std::string_view item : split(list, ',')) {
        if (item.empty()) return "a module is empty (\",\" at the start or end, or \",,\")";
        const std::vector<std::string_view> parts = split(item, ':');
        const std::string_view serialField = parts.front();
        const auto serial = !serialField.empty() && serialField.size() <= 6
                                ? number(serialField, 16, 0, 0xFFFFFF)
                                : std::nullopt;
        const std::string where = "\"" + std::string(item) + "\": ";
        if (!serial) return where + "expects a serial number of 1 to 6 hexadecimal digits first";
        RigModule module{static_cast<unsigned>(*serial), common};
        for (std::size_t p = 1; p < parts.size(); ++p) {
            const std::vector<std::string> args = {"--" + std::string(parts[p])};
            std::size_t index = 0;
            Option option(args, index);
            const auto error = readFault(option, module.faults);
            const std::string fault(parts[p]);
            if (!error) return where + quoted(fault) + " is no fault";
            if (!error->empty()) return where + fault + ": " + *error;
            if (option.missing()) return where + fault + ": expects a value";
        }
        modules.push_back(std::move(module));
    }
    return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    SimOptions& o = result.options;
    std::optional<std::string> rigList;
    for (std::size_t i = 0; i < args.size(); ++i) {
        Option option(args, i);
        const std::string& name = option.name();
        auto fail = [&](const std::string& why) {
            result.error = name;
            result.error += ": ";
            result.error += why;
            return result;
        };

        if (const auto faultError = readFault(option, o.config.faults)) {
            if (!faultError->empty()) return fail(*faultError);
        } else if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--type") {
            const std::string t = option.value();
            if (t != "T" && t != "R") return fail("expects T or R");
            o.config.type = t[0];
        } else if (name == "--version") {
            o.config.version = option.value();
            if (o.config.version.size() != 5) return fail("expects 5 characters");
        } else if (name == "--serial") {
            const std::string text = option.value();
            const auto serial = text.size() == 6 ? number(text, 16, 0, 0xFFFFFF) : std::nullopt;
            if (!serial) return fail("expects 6 hexadecimal digits");
            o.config.serial = static_cast<unsigned>(*serial);
        } else if (name == "--date") {
            o.config.date = option.value();
            if (o.config.date.size() != 10) return fail("expects 10 characters");
        } else if (name == "--offset") {
            o.config.offset = option.value();
            if (o.config.offset.size() != 2) return fail("expects 2 characters");
        } else if (name == "--common") {
            o.config.commonParam = option.value();
        } else if (name == "--chunk-pause-ms") {
            const auto ms = option.count(0, 10000);
            if (!ms) return fail("expects 0 to 10000");
            o.chunkPauseMs = static_cast<int>(*ms);
        } else if (name == "--delay-ms") {
            const auto ms = option.count(0, 60000);
            if (!ms) return fail("expects 0 to 60000");
            o.delayMs = static_cast<int>(*ms);
        } else if (name == "--rig") {
            // Read after the loop: the modules take the faults of the whole command line.
            rigList = option.value();
            if (rigList->empty()) return fail("expects a list of modules");
        } else if (name == "--rig-hold-ms") {
            const auto ms = option.count(1, 3600000);
            if (!ms) return fail("expects 1 to 3600000");
            o.rigHoldMs = static_cast<int>(*ms);
        } else if (name == "--rig-gap-ms") {
            const auto ms = option.count(0, 3600000);
            if (!ms) return fail("expects 0 to 3600000");
            o.rigGapMs = static_cast<int>(*ms);
        } else if (name == "--link") {
            o.link = option.value();
            if (o.link.empty()) return fail("expects a path");
        } else if (name == "--exit-on-stdin-eof") {
            o.exitOnStdinEof = true;
        } else if (name == "--log") {
            o.log = true;
        } else if (name == "--dump-flash") {
            o.dumpFlash = true;
        } else {
            return fail("unknown option");
        }
        if (option.missing()) return fail("expects a value");
    }
    if (rigList) {
        const std::string error = readRigList(*rigList, o.config.faults, o.rig);
        if (!error.empty()) result.error = "--rig: " + error;
    }
    return result;
}

std::string usageText() {
    return R"(Usage: modsim [OPTION]...
Simulates a transmitter or receiver setup module on a pseudo-terminal. The first line on stdout
is the device to open (/dev/pts/N). Runs until SIGINT or SIGTERM.

Module:
  --type T|R              transmitter (12 registers, default) or receiver (5 registers)
  --version TEXT          firmware version, 5 characters (default: type letter + "1.02")
  --serial HEX6           serial number, 6 hexadecimal digits (default 0A1B2C)
  --date TEXT             factory test date, 10 characters (default 2024/05/17)
  --offset XX             frequency offset value, 2 characters (default 00)
  --common TEXT           common parameters held before any "/M " (default 0A,26,C8)

Faults:
  --silent                carry out commands but never reply
  --no-reply CMD          no reply to commands beginning with CMD ("/M", "/W 02"); repeatable
  --wrong-type            report the other module type letter in "*V"
  --write-error SLOT      "/W" to SLOT (0-3) fails with "*W Err"; repeatable
  --corrupt               change value 1 of every "*W", "*R" and "*T" echo
  --corrupt-value I       change value I (1-12) instead; implies --corrupt
  --corrupt-on CMD        corrupt only echoes of commands beginning with CMD; repeatable;
                          implies --corrupt
  --store-wrong I         store value I (1-12) of every "/W" wrong; the echoes show it
  --echo-values N         echo only the first N values in "*T" and "*W" ("*R" has all)
  --leave-after CMD       rig only: after answering a command beginning with CMD ("/D") the
                          module is taken off and the next one goes on at once
  --chunk N               send replies in pieces of N bytes
  --chunk-pause-ms N      pause between pieces (default 2)
  --noise                 send CR, LF and "~" before every reply
  --unsolicited-c         send "*C 00 OK" after every reply
  --clear-failed          send "*C 01 NG" after every reply instead
  --close-after N         after answering N commands (0x80 and "*" count) and waiting at most
                          1 s for that reply to be read, close the device and exit, as if the
                          adapter were pulled
  --delay-ms N            wait N ms before each reply

Rig (modules put on one test rig in turn; the device stays open all along):
  --rig LIST              put the modules of LIST on the rig one after another. LIST is
                          MODULE,MODULE,... and a MODULE is SERIAL[:FAULT]...: a serial number
                          of 1 to 6 hexadecimal digits, then faults written as the fault options
                          above without "--" and with "=" before a value (no "," or ":" in it):
                          --rig 0A0001,0A0002:write-error=2:no-reply=/M,0A0003
                          Each module starts fresh (flash all zeros, no writes, default common
                          parameters) with its serial number, the other module options (--serial
                          is not used), the faults given outside LIST and its own. The first
                          module is on from the start. While the rig is empty nothing answers:
                          bytes sent are read and dropped.
  --rig-hold-ms N         take a module off N ms (default 3000) after its first command of any
                          kind; its first "/W" starts those N ms again. A program that polls
                          (0x80, "/V", "/D"), starts writing the module it found within N ms
                          and has written and checked it within N ms of the first "/W" sees it
                          appear, get written once and disappear. A module nobody speaks to
                          stays on.
  --rig-gap-ms N          the rig stays empty N ms (default 500) before the next module goes on;
                          after the last module it stays empty until the simulator stops

Program:
  --link PATH             also make PATH a symlink to the device (removed on exit)
  --exit-on-stdin-eof     exit when stdin reaches end of file
  --log                   print each command and reply to stderr; with --rig also each module
                          put on or taken off, and when in milliseconds since 1970
                          ("modsim: module SERIAL on at MS" / "... off at MS")
  --dump-flash            on exit print the four flash slots to stdout, "slot n: v1,v2,...";
                          with --rig one line per module put on, in order:
                          "module SERIAL writes W0,W1,W2,W3 slots V0;V1;V2;V3", SERIAL 6
                          hexadecimal digits, Wn the successful writes to slot n, Vn its flash
                          content "v1,v2,..."
  -h, --help              print this text and exit
)";
}

}  // namespace orvane::modsim
