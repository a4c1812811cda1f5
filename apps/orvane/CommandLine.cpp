#include "apps/orvane/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string_view>

namespace orvane::cli {

namespace {

struct CommandInfo {
    Command command;
    const char* name;
    const char* summary;
};

constexpr CommandInfo kCommands[] = {
    {Command::Ports, "ports", "list the serial ports, and whether each can be opened now"},
    {Command::Info, "info", "read a module's firmware version and serial number"},
    {Command::Test, "test", "load one channel into a module for a trial, without storing it"},
    {Command::Check, "check", "read the four channels back and compare them"},
    {Command::Write, "write", "write the four channels into a module's flash"},
    {Command::Run, "run", "production: write and check module after module on one rig"},
};

// Which commands take an option.
bool takes(Command c, std::string_view option) {
    const auto among = [c](std::initializer_list<Command> commands) {
        for (Command allowed : commands)
            if (allowed == c) return true;
        return false;
    };
    if (option == "--json") return true;
    if (option == "--module" || option == "--port") return c != Command::Ports;
    if (option == "--freq" || option == "--table" || option == "--settings" ||
        option == "--allow-out-of-band")
        return among({Command::Test, Command::Check, Command::Write, Command::Run});
    if (option == "--channel") return c == Command::Test;
    if (option == "--check") return c == Command::Write;
    if (option == "--log") return among({Command::Write, Command::Run});
    if (option == "--count") return c == Command::Run;
    return false;
}

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

bool needsChannels(Command c) {
    return c == Command::Test || c == Command::Check || c == Command::Write || c == Command::Run;
}

}  // namespace

const char* commandName(Command command) {
    for (const CommandInfo& info : kCommands)
        if (info.command == command) return info.name;
    return "";
}

Parsed parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& modules) {
    Parsed result;
    Options& o = result.options;
    if (args.empty()) {
        result.error = "a command is needed";
        return result;
    }
    std::size_t i = 0;
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        o.help = true;
        if (args.size() > 1) {
            for (const CommandInfo& info : kCommands)
                if (args[1] == info.name) o.command = info.command;
        }
        return result;
    }
    if (first == "--version") {
        o.version = true;
        return result;
    }
    bool known = false;
    for (const CommandInfo& info : kCommands) {
        if (first == info.name) {
            o.command = info.command;
            known = true;
        }
    }
    if (!known) {
        result.error = "unknown command '" + first + "'";
        return result;
    }

    bool moduleGiven = false;
    bool channelGiven = false;
    int sources = 0;
    for (i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto fail = [&](const std::string& why) {
            result.error = name;
            result.error += ": ";
            result.error += why;
            return result;
        };
        if (name == "--help" || name == "-h") {
            o.help = true;
            return result;
        }
        if (!takes(o.command, name)) {
            if (!name.starts_with("-")) return fail("unexpected argument");
            return fail(std::string("not an option of '") + commandName(o.command) + "'");
        }
        const bool flag = name == "--json" || name == "--check" || name == "--allow-out-of-band";
        if (flag && inlineValue) return fail("takes no value");
        std::string value;
        if (!flag) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return fail("needs a value");
            }
        }

        if (name == "--json") {
            o.json = true;
        } else if (name == "--check") {
            o.checkAfterWrite = true;
        } else if (name == "--allow-out-of-band") {
            o.allowOutOfBand = true;
        } else if (name == "--module") {
            if (std::find(modules.begin(), modules.end(), value) == modules.end())
                return fail("expects " + alternatives(modules));
            o.module = value;
            moduleGiven = true;
        } else if (name == "--port") {
            if (value.empty()) return fail("needs a port name or device path");
            o.port = value;
        } else if (name == "--freq") {
            o.channels.texts = fourTexts(value);
            if (!o.channels.texts) return fail("expects four frequencies F0,F1,F2,F3 (Ch0 first)");
            ++sources;
        } else if (name == "--table" || name == "--settings") {
            if (value.empty()) return fail("needs a file name");
            o.channels.file = value;
            ++sources;
        } else if (name == "--channel") {
            const auto ch = wholeNumber(value, 0, 3);
            if (!ch) return fail("expects a channel 0 to 3");
            o.channel = *ch;
            channelGiven = true;
        } else if (name == "--log") {
            if (value.empty()) return fail("needs a file name");
            o.logFile = value;
        } else if (name == "--count") {
            const auto count = wholeNumber(value, 1, 1000000);
            if (!count) return fail("expects a number of modules from 1 up");
            o.count = *count;
        }
    }

    if (o.command != Command::Ports) {
        if (!moduleGiven)
            result.error = "--module is needed";
        else if (o.port.empty())
            result.error = "--port is needed";
    }
    if (result.error.empty() && needsChannels(o.command) && sources != 1)
        result.error = sources == 0 ? "the channels are needed: --freq, --table or --settings"
                                    : "give the channels once: --freq, --table or --settings";
    if (result.error.empty() && o.command == Command::Test && !channelGiven)
        result.error = "--channel is needed";
    return result;
}

std::string usageText(std::optional<Command> command, const std::vector<std::string>& modules) {
    const std::string statuses =
        "\nExit status:\n"
        "  0  every step succeeded\n"
        "  1  the module answered wrongly or not at all (the reason is named)\n"
        "  2  usage or input error (nothing was sent)\n"
        "  3  the port could not be opened or failed\n"
        "  4  the module was confirmed but its record could not be appended to the log\n"
        "  130  interrupted (Ctrl-C or SIGTERM) before the end; run ends with its summary instead\n";
    const std::string moduleOptions =
        "  --module M          the module: " + alternatives(modules) +
        "\n"
        "  --port P            COMn as the port list names it, or a device path\n";
    const std::string channelOptions =
        "  --freq F0,F1,F2,F3  the four channels in MHz, Ch0 first (868.3000,...)\n"
        "  --table FILE        the channels of a frequency table file\n"
        "  --settings FILE     the channels of a program's settings file\n"
        "  --allow-out-of-band accept channels outside the band, for the transmitter off the\n"
        "                      12.5 kHz raster, for the receiver one its synthesiser cannot\n"
        "                      reach exactly; a computable number is still needed\n";
    const std::string common =
        "  --json              one JSON object per line on stdout\n"
        "  --help              this text\n";
    if (!command) {
        std::string text =
            "Usage: orvane COMMAND [OPTIONS]\n\n"
            "Sets up ORVANE 868/869 MHz radio modules over a serial line, without a window.\n\n"
            "Commands:\n";
        for (const CommandInfo& info : kCommands) {
            std::string name = info.name;
            name.resize(8, ' ');
            text += "  " + name + info.summary + "\n";
        }
        text +=
            "\nRun 'orvane COMMAND --help' for a command's options. 'orvane --version' prints the version.\n";
        return text + statuses;
    }
    std::string text = std::string("Usage: orvane ") + commandName(*command);
    switch (*command) {
        case Command::Ports:
            text +=
                " [--json]\n\nLists every serial port: its COMn name as the windows show it, the device,\n"
                "its description, and whether it can be opened now (with the reason when not).\n\n"
                "Options:\n" +
                common;
            break;
        case Command::Info:
            text +=
                " --module M --port P [--json]\n\nReads the module's firmware version and serial number.\n\n"
                "Options:\n" +
                moduleOptions + common;
            break;
        case Command::Test:
            text +=
                " --module M --port P --channel N (--freq ...|--table FILE|--settings FILE)\n\n"
                "Reads the module's identity, then loads channel N's register values into it for a\n"
                "trial (nothing is stored) and judges the echo.\n\nOptions:\n" +
                moduleOptions + "  --channel N         the channel to test, 0 to 3\n" + channelOptions +
                common;
            break;
        case Command::Check:
            text +=
                " --module M --port P (--freq ...|--table FILE|--settings FILE)\n\n"
                "Reads the module's identity, then its four channels, and compares them with the\n"
                "register values of the channels given.\n\nOptions:\n" +
                moduleOptions + channelOptions + common;
            break;
        case Command::Write:
            text +=
                " --module M --port P (--freq ...|--table FILE|--settings FILE) [--check] [--log FILE]\n\n"
                "Writes the four channels into the module's flash.\n\nOptions:\n" +
                moduleOptions + channelOptions +
                "  --check             read the channels back after writing and compare\n"
                "  --log FILE          append the operation record of a write the module confirmed\n"
                "                      (and, with --check, the check passed) to FILE, relative to\n"
                "                      the current folder; one that cannot take it is refused first\n" +
                common;
            break;
        case Command::Run:
            text +=
                " --module M --port P (--freq ...|--table FILE|--settings FILE) [--count N] [--log FILE]\n\n"
                "Production loop: waits for a module to answer on the port, writes and checks it,\n"
                "prints PASS or FAIL with its serial number and the reason, waits until it is taken\n"
                "off, and starts over. A module still on the rig is never written twice. Ctrl-C (or\n"
                "SIGTERM) ends the loop with a summary. The exit status is 0 when every module\n"
                "passed, 1 when one failed.\n\nOptions:\n" +
                moduleOptions + channelOptions +
                "  --count N           end after N modules\n"
                "  --log FILE          append the operation record of each module that passed\n"
                "                      to FILE; one that cannot take it is refused first\n" +
                common;
            break;
    }
    return text + statuses;
}

}  // namespace orvane::cli
