#include "tools/modsim/core/CommandLine.h"

#include <charconv>
#include <optional>
#include <string_view>

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

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    SimOptions& o = result.options;
    SimFaults& f = o.config.faults;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        bool missing = false;
        // Takes the option's value from "--name=value" or from the next argument.
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 < args.size()) return args[++i];
            missing = true;
            return {};
        };
        auto fail = [&](const std::string& why) {
            result.error = name;
            result.error += ": ";
            result.error += why;
            return result;
        };
        auto count = [&](long min, long max) -> std::optional<long> {
            const std::string text = value();
            return missing ? std::nullopt : number(text, 10, min, max);
        };

        if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--type") {
            const std::string t = value();
            if (t != "T" && t != "R") return fail("expects T or R");
            o.config.type = t[0];
        } else if (name == "--version") {
            o.config.version = value();
            if (o.config.version.size() != 5) return fail("expects 5 characters");
        } else if (name == "--serial") {
            const std::string text = value();
            const auto serial = text.size() == 6 ? number(text, 16, 0, 0xFFFFFF) : std::nullopt;
            if (!serial) return fail("expects 6 hexadecimal digits");
            o.config.serial = static_cast<unsigned>(*serial);
        } else if (name == "--date") {
            o.config.date = value();
            if (o.config.date.size() != 10) return fail("expects 10 characters");
        } else if (name == "--offset") {
            o.config.offset = value();
            if (o.config.offset.size() != 2) return fail("expects 2 characters");
        } else if (name == "--common") {
            o.config.commonParam = value();
        } else if (name == "--silent") {
            f.silent = true;
        } else if (name == "--no-reply") {
            f.noReply.push_back(value());
            if (f.noReply.back().empty()) return fail("expects a command prefix");
        } else if (name == "--wrong-type") {
            f.wrongType = true;
        } else if (name == "--write-error") {
            const auto slot = count(0, 3);
            if (!slot) return fail("expects a slot 0 to 3");
            f.writeErrorSlots.insert(static_cast<int>(*slot));
        } else if (name == "--corrupt") {
            f.corrupt = true;
        } else if (name == "--corrupt-value") {
            const auto index = count(1, 12);
            if (!index) return fail("expects a value number 1 to 12");
            f.corrupt = true;
            f.corruptValue = static_cast<int>(*index);
        } else if (name == "--corrupt-on") {
            f.corrupt = true;
            f.corruptOn.push_back(value());
            if (f.corruptOn.back().empty()) return fail("expects a command prefix");
        } else if (name == "--chunk") {
            const auto size = count(1, 4096);
            if (!size) return fail("expects a chunk size 1 to 4096");
            f.chunkSize = static_cast<std::size_t>(*size);
        } else if (name == "--chunk-pause-ms") {
            const auto ms = count(0, 10000);
            if (!ms) return fail("expects 0 to 10000");
            o.chunkPauseMs = static_cast<int>(*ms);
        } else if (name == "--noise") {
            f.noise = kNoise;
        } else if (name == "--unsolicited-c") {
            f.unsolicitedClear = true;
        } else if (name == "--clear-failed") {
            f.unsolicitedClear = true;
            f.clearFailed = true;
        } else if (name == "--close-after") {
            const auto n = count(1, 1000000);
            if (!n) return fail("expects a command count of at least 1");
            f.closeAfter = static_cast<int>(*n);
        } else if (name == "--delay-ms") {
            const auto ms = count(0, 60000);
            if (!ms) return fail("expects 0 to 60000");
            o.delayMs = static_cast<int>(*ms);
        } else if (name == "--link") {
            o.link = value();
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
        if (missing) return fail("expects a value");
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
  --chunk N               send replies in pieces of N bytes
  --chunk-pause-ms N      pause between pieces (default 2)
  --noise                 send CR, LF and "~" before every reply
  --unsolicited-c         send "*C 00 OK" after every reply
  --clear-failed          send "*C 01 NG" after every reply instead
  --close-after N         after answering N commands (0x80 and "*" count) and waiting at most
                          1 s for that reply to be read, close the device and exit, as if the
                          adapter were pulled
  --delay-ms N            wait N ms before each reply

Program:
  --link PATH             also make PATH a symlink to the device (removed on exit)
  --exit-on-stdin-eof     exit when stdin reaches end of file
  --log                   print each command and reply to stderr
  --dump-flash            on exit print the four flash slots to stdout, "slot n: v1,v2,..."
  -h, --help              print this text and exit
)";
}

}  // namespace orvane::modsim
