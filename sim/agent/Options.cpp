// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/agent/Options.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <map>

namespace ksxsim {

std::string UsageText() {
    return R"(Usage: ksx-sim [OPTION]...
A simulated KSX-7700 switch: an SNMP agent answering for the switch's MIB.

  --listen udp:HOST:PORT     address to answer on (default udp:127.0.0.1:16100;
                             port 0 picks a free port, named in the ready file)
  --model MODEL              KSX-7700-20, -28, -28P, -48 or -52 (default KSX-7700-52)
  --all-giga                 every copper port runs at gigabit speed
  --strict-destroy           refuse (inconsistentValue) to destroy a table row that
                             does not exist, as some firmware does
  --state-dir DIR            the only folder the agent writes to (default: a temporary
                             folder removed at exit)
  --ready-file FILE          written (address and pid) once the agent answers
  --ro-community NAME        read-only community (default guests)
  --rw-community NAME        read-write community (default keepers)
  --v3-user N:A:AP:P:PP      SNMPv3 user with read-write access; A none, MD5 or SHA,
                             P none, DES or AES (repeatable)
  --engine-id HEX            SNMP engine ID (default: a fixed one)
  --fdb N                    learned addresses in the forwarding table (default 30)
  --fdb-ids K                spread them over K filtering databases (default 1)
  --data FILE                .snmprec lines OID|TAG|VALUE loaded over the defaults
                             (repeatable)
  --set-log FILE             one JSON object per set request
  --request-log FILE         one JSON object per request
  --delay MS                 wait before every answer
  --drop PREFIX              never answer a request that touches PREFIX (repeatable)
  --drop-after N             answer N requests, then none (a GETBULK counts once per
                             repetition and is cut short at the Nth)
  --refuse-set PREFIX        refuse a set that touches PREFIX with inconsistentValue, as
                             a switch refuses a value it cannot take (repeatable)
  --getbulk MODE             answer GETBULK requests (answer, the default), refuse
                             them with genErr (error) or leave them unanswered (drop)
  --max-message BYTES        send no answer longer than BYTES: a longer GETBULK answer
                             is cut short, any other is refused with tooBig
  --bulk-bindings N          the most bindings a GETBULK answer carries (default 100, as
                             many agents; 0: as many as the message size allows)
  --bulk-toobig              refuse an over-long GETBULK answer with tooBig instead of
                             cutting it short
  --transfer-seconds S       duration of a firmware or configuration transfer (default 3)
  --reboot-seconds S         silence during a restart (default 4)
  --save-seconds S           duration of a configuration save (default 1)
  --transfer-fail            transfers end in failure
  --animate                  change link and PoE states now and then, and let the
                             ports' traffic vary
  --animate-seconds S        interval of the changes (default 3)
  --traffic PORT:BPS[:ERR]   port PORT carries BPS bit/s (at most its speed) each way
                             while its link is up, and takes ERR receive errors a second
                             (repeatable); other ports with a link carry a share of
                             their speed
  --counters-near-wrap       the octet counters start 40 MB short of the 32-bit wrap
  --no-hc-counters           no interface extension table (64-bit counters), as an old
                             firmware
  --misbehave SEED           answer reads as a broken firmware: wrong types, lengths and
                             ranges, odd row indexes, holes, early ends and get-next
                             answers that do not move forward, chosen per object from
                             SEED; sets are answered normally
  --help                     this text
  --version                  prints the name and version
)";
}

namespace {

template <typename T> bool ParseNumber(const std::string& text, T& out) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseSeconds(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && out >= 0 && out < 3600;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t pos = text.find(separator, start);
        parts.push_back(text.substr(start, pos - start));
        if (pos == std::string::npos) {
            return parts;
        }
        start = pos + 1;
    }
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::optional<V3User> ParseV3User(const std::string& text, std::string& error) {
    auto parts = Split(text, ':');
    if (parts.size() != 5 || parts[0].empty()) {
        error = "--v3-user wants NAME:AUTH:AUTHPASS:PRIV:PRIVPASS";
        return std::nullopt;
    }
    V3User user{parts[0], Upper(parts[1]), parts[2], Upper(parts[3]), parts[4]};
    if (user.auth == "NONE") {
        user.auth = "none";
    }
    if (user.priv == "NONE") {
        user.priv = "none";
    }
    if (user.auth != "none" && user.auth != "MD5" && user.auth != "SHA") {
        error = "unknown authentication protocol " + parts[1];
        return std::nullopt;
    }
    if (user.priv != "none" && user.priv != "DES" && user.priv != "AES") {
        error = "unknown privacy protocol " + parts[3];
        return std::nullopt;
    }
    if (user.auth != "none" && user.authPass.size() < 8) {
        error = "authentication passphrase of " + user.name + " is shorter than 8 characters";
        return std::nullopt;
    }
    if (user.priv != "none" && (user.auth == "none" || user.privPass.size() < 8)) {
        error = "privacy of " + user.name + " needs authentication and an 8-character passphrase";
        return std::nullopt;
    }
    return user;
}

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& error,
                                       bool& wantsHelp) {
    SimOptions options;
    wantsHelp = false;
    using Setter = std::function<bool(const std::string&)>;
    auto number = [](auto& field) {
        return Setter(
            [&field](const std::string& v) { return ParseNumber(v, field) && field >= 0; });
    };
    auto seconds = [](double& field) {
        return Setter([&field](const std::string& v) { return ParseSeconds(v, field); });
    };
    auto text = [](std::string& field) {
        return Setter([&field](const std::string& v) {
            field = v;
            return !v.empty();
        });
    };
    auto list = [](std::vector<std::string>& field) {
        return Setter([&field](const std::string& v) {
            field.push_back(v);
            return !v.empty();
        });
    };
    std::map<std::string, Setter> withValue = {
        {"--listen", text(options.listen)},
        {"--model", text(options.model)},
        {"--state-dir", text(options.stateDir)},
        {"--ready-file", text(options.readyFile)},
        {"--ro-community", text(options.roCommunity)},
        {"--rw-community", text(options.rwCommunity)},
        {"--engine-id", text(options.engineIdHex)},
        {"--fdb", number(options.fdbEntries)},
        {"--fdb-ids", number(options.fdbIds)},
        {"--data", list(options.dataFiles)},
        {"--set-log", text(options.setLog)},
        {"--request-log", text(options.requestLog)},
        {"--delay", number(options.delayMs)},
        {"--drop", list(options.dropPrefixes)},
        {"--drop-after", number(options.dropAfter)},
        {"--refuse-set", list(options.refuseSetPrefixes)},
        {"--getbulk", text(options.getBulk)},
        {"--max-message", number(options.maxMessage)},
        {"--bulk-bindings", number(options.bulkBindings)},
        {"--transfer-seconds", seconds(options.transferSeconds)},
        {"--reboot-seconds", seconds(options.rebootSeconds)},
        {"--save-seconds", seconds(options.saveSeconds)},
        {"--animate-seconds", seconds(options.animateSeconds)},
        {"--misbehave", number(options.misbehaveSeed)},
        {"--traffic", Setter([&options](const std::string& v) {
             int port = 0;
             FixedTraffic traffic;
             if (!ParseFixedTraffic(v, port, traffic)) {
                 return false;
             }
             options.traffic.fixed[port] = traffic;
             return true;
         })},
    };
    bool noHighCapacity = false;
    std::map<std::string, bool*> flags = {
        {"--all-giga", &options.allGiga},
        {"--strict-destroy", &options.strictDestroy},
        {"--transfer-fail", &options.transferFail},
        {"--animate", &options.animate},
        {"--bulk-toobig", &options.bulkTooBig},
        {"--counters-near-wrap", &options.traffic.nearWrap},
        {"--no-hc-counters", &noHighCapacity},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (auto eq = name.find('='); eq != std::string::npos && name.rfind("--", 0) == 0) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        if (name == "--help" || name == "-h") {
            wantsHelp = true;
            return options;
        }
        if (name == "--version") {
            options.showVersion = true;
            return options;
        }
        if (auto flag = flags.find(name); flag != flags.end() && !inlineValue) {
            *flag->second = true;
            continue;
        }
        if (name == "--v3-user") {
            if (!inlineValue && ++i >= args.size()) {
                error = "--v3-user needs a value";
                return std::nullopt;
            }
            auto user = ParseV3User(inlineValue ? value : args[i], error);
            if (!user) {
                return std::nullopt;
            }
            options.v3Users.push_back(*user);
            continue;
        }
        auto setter = withValue.find(name);
        if (setter == withValue.end()) {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
        if (!inlineValue) {
            if (++i >= args.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            value = args[i];
        }
        if (!setter->second(value)) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    options.traffic.highCapacity = !noHighCapacity;
    options.traffic.animated = options.animate;
    if (options.fdbIds < 1 || options.fdbIds > 4094) {
        error = "--fdb-ids must be 1 to 4094";
        return std::nullopt;
    }
    if (options.getBulk != "answer" && options.getBulk != "error" && options.getBulk != "drop") {
        error = "--getbulk must be answer, error or drop";
        return std::nullopt;
    }
    if (options.bulkBindings < 0 || options.bulkBindings > 100000) {
        error = "--bulk-bindings must be 0 to 100000";
        return std::nullopt;
    }
    if (options.maxMessage != 0 && options.maxMessage < 100) {
        error = "--max-message must be at least 100";
        return std::nullopt;
    }
    if (options.listen.rfind("udp:", 0) != 0) {
        error = "--listen must be udp:HOST:PORT";
        return std::nullopt;
    }
    return options;
}

} // namespace ksxsim
