// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tools/SnmpTool.h"

#include "app/CommandLine.h"
#include "features/snapshot/SettingsSnapshot.h"
#include "features/snapshot/SnapshotReader.h"
#include "platform/Version.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tools/SessionWalk.h"
#include "tools/SnmprecFormat.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace {

constexpr const char* kProgram = "ksx-snmp";

struct ToolRequest {
    bool help = false;
    bool version = false;
    unsigned timeoutMs = 0; // 0: the session's RequestTimeout
    std::string commandLine;
    std::string operation;
    std::vector<std::string> operands;
};

struct SetBinding {
    std::string oid;
    int valueType = 0;
    std::string value; // bytes for octet strings
};

class BadArguments : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool ParseTimeout(const std::string& text, unsigned& timeoutMs) {
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(text.data(), last, timeoutMs);
    return ec == std::errc() && end == last && timeoutMs > 0 && timeoutMs <= 600000;
}

// Options come before the module's command line: after it, a leading "-" belongs to a value
// (a negative integer to set).
ToolRequest ParseToolArguments(const std::vector<std::string>& args) {
    ToolRequest request;
    size_t next = 0;
    for (; next < args.size(); ++next) {
        const std::string& arg = args[next];
        if (arg == "-h" || arg == "--help") {
            request.help = true;
            return request;
        }
        if (arg == "--version") {
            request.version = true;
            return request;
        }
        if (arg == "-t" || arg == "--timeout") {
            if (next + 1 >= args.size() || !ParseTimeout(args[next + 1], request.timeoutMs)) {
                throw BadArguments(arg + " needs a timeout in milliseconds (1 to 600000)");
            }
            ++next;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            throw BadArguments("unknown option '" + arg + "'");
        }
        break;
    }
    if (next + 2 > args.size()) {
        throw BadArguments("expected the module's command line and an operation");
    }
    request.commandLine = args[next];
    request.operation = args[next + 1];
    request.operands.assign(args.begin() + static_cast<long>(next) + 2, args.end());
    return request;
}

void RequireOid(const std::string& text) {
    if (ParseOid(text).empty()) {
        throw BadArguments("not an OID: '" + text + "'");
    }
}

void RequireOids(const ToolRequest& request) {
    if (request.operands.empty()) {
        throw BadArguments(request.operation + " needs at least one OID");
    }
    for (const std::string& oid : request.operands) {
        RequireOid(oid);
    }
}

bool ParseHexBytes(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned byte = 0;
        auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
        if (ec != std::errc() || end != hex.data() + i + 2) {
            return false;
        }
        bytes += static_cast<char>(byte);
    }
    return true;
}

SetBinding ParseSetBinding(const std::string& oid, const std::string& type,
                           const std::string& value) {
    RequireOid(oid);
    SetBinding binding{oid, 0, value};
    if (type == "1") {
        binding.valueType = kSnmpInteger;
    } else if (type == "2") {
        binding.valueType = kSnmpOctetString;
    } else if (type == "2x") {
        binding.valueType = kSnmpOctetString;
        if (!ParseHexBytes(value, binding.value)) {
            throw BadArguments("not an even number of hexadecimal digits: '" + value + "'");
        }
    } else if (type == "8") {
        binding.valueType = kSnmpIpAddress;
    } else if (type == "10") {
        binding.valueType = kSnmpUnsigned;
    } else {
        throw BadArguments("unknown value type '" + type + "' (1, 2, 2x, 8 or 10)");
    }
    return binding;
}

std::vector<SetBinding> ParseSetOperands(const ToolRequest& request) {
    const std::vector<std::string>& operands = request.operands;
    if (operands.empty() || operands.size() % 3 != 0) {
        throw BadArguments("set needs OID TYPE VALUE triples");
    }
    std::vector<SetBinding> bindings;
    for (size_t i = 0; i < operands.size(); i += 3) {
        bindings.push_back(ParseSetBinding(operands[i], operands[i + 1], operands[i + 2]));
    }
    return bindings;
}

// The same reading of the port field as the session's.
void WarnAboutPort(const SessionParametersData& parameters, std::ostream& err) {
    const int port = std::atoi(parameters.SnmpPort.c_str());
    if (port <= 0 || port > 65535) {
        err << kProgram << ": warning: the port field '" << parameters.SnmpPort
            << "' is no UDP port; the session uses 161\n";
    }
}

void UseModuleCommandLine(const ToolRequest& request, std::ostream& err) {
    if (request.commandLine.find_first_not_of(' ') == std::string::npos) {
        throw BadArguments("the module's command line is empty");
    }
    SessionParametersData parameters = ParseCommandLine(request.commandLine);
    if (parameters.DeviceAddress.empty()) {
        throw BadArguments("the module's command line names no device address (field 2, /I)");
    }
    const int version = std::atoi(parameters.SnmpVersion.c_str());
    if (version != 1 && version != 3) {
        throw BadArguments("SNMP version '" + parameters.SnmpVersion +
                           "' in the module's command line is not supported (1 or 3)");
    }
    WarnAboutPort(parameters, err);
    if (request.timeoutMs != 0) {
        parameters.RequestTimeout = std::to_string(request.timeoutMs);
    }
    SessionParameters() = parameters;
}

void PrintResponse(const CSnmp& response, std::ostream& out) {
    for (int i = 0; i < response.getValuesCount(); ++i) {
        out << SnmprecLine(response, i) << '\n';
    }
}

int ReportFailure(const std::string& operation, int status, std::ostream& err) {
    err << kProgram << ": " << operation << " failed: " << DescribeStatus(status) << '\n';
    return kToolRequestFailed;
}

// How far a run goes: a check builds the request like a real run and stops before sending.
enum class RunMode { Send, CheckOnly };

int SendRequest(CCommonSNMP& session, const std::string& operation, RunMode mode, std::ostream& out,
                std::ostream& err) {
    if (mode == RunMode::CheckOnly) {
        return kToolOk;
    }
    std::unique_ptr<CSnmp> response;
    const int status = session.Send(response);
    if (status != 0) {
        return ReportFailure(operation, status, err);
    }
    PrintResponse(*response, out);
    return kToolOk;
}

int RunRead(CCommonSNMP& session, const ToolRequest& request, int pduType, RunMode mode,
            std::ostream& out, std::ostream& err) {
    RequireOids(request);
    if (session.Open(pduType) != 1) {
        return ReportFailure(request.operation, kSnmpFailed, err);
    }
    for (const std::string& oid : request.operands) {
        if (session.AddValue(oid, kSnmpNull, "") != 0) {
            throw BadArguments("the session refused the OID '" + oid + "'");
        }
    }
    return SendRequest(session, request.operation, mode, out, err);
}

int RunSet(CCommonSNMP& session, const ToolRequest& request, RunMode mode, std::ostream& out,
           std::ostream& err) {
    const std::vector<SetBinding> bindings = ParseSetOperands(request);
    if (session.Open(kPduSet) != 1) {
        return ReportFailure(request.operation, kSnmpFailed, err);
    }
    for (const SetBinding& binding : bindings) {
        const int added = session.AddValue(binding.oid, binding.valueType, binding.value.data(),
                                           static_cast<unsigned>(binding.value.size()));
        if (added != 0) {
            throw BadArguments("the value '" + binding.value + "' does not fit value type " +
                               std::to_string(binding.valueType));
        }
    }
    return SendRequest(session, request.operation, mode, out, err);
}

int RunWalk(CCommonSNMP& session, const ToolRequest& request, RunMode mode, std::ostream& out,
            std::ostream& err) {
    RequireOids(request);
    if (mode == RunMode::CheckOnly) {
        return kToolOk;
    }
    const int status = WalkColumns(session, request.operands,
                                   [&out](const CSnmp& row) { PrintResponse(row, out); });
    if (status != kSnmpEndOfTable) {
        return ReportFailure(request.operation, status, err);
    }
    return kToolOk;
}

// Reads the switch into a snapshot on an event loop of its own (the tool has no application
// object otherwise).
std::optional<snapshot::Snapshot> ReadSwitch(std::ostream& err) {
    std::optional<QCoreApplication> application;
    static int argc = 1;
    static char name[] = "ksx-snmp";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        application.emplace(argc, argv);
    }
    std::string error;
    std::optional<snapshot::Snapshot> read = snapshot::ReadSwitchSnapshot(error);
    if (!read) {
        err << kProgram << ": " << error << '\n';
    }
    return read;
}

int RunSnapshot(const ToolRequest& request, std::ostream& err) {
    if (request.operands.size() != 1) {
        throw BadArguments("snapshot needs one file name");
    }
    UseModuleCommandLine(request, err);
    const std::optional<snapshot::Snapshot> read = ReadSwitch(err);
    if (!read) {
        return kToolRequestFailed;
    }
    const std::string error = snapshot::WriteFile(*read, request.operands[0]);
    if (!error.empty()) {
        err << kProgram << ": " << error << '\n';
        return kToolRequestFailed;
    }
    return kToolOk;
}

// Like diff: 0 the same, 1 differences (printed), 2 trouble (a file that cannot be compared, a
// switch that cannot be read). One file compares with the switch.
int RunDiff(const ToolRequest& request, std::ostream& out, std::ostream& err) {
    if (request.operands.empty() || request.operands.size() > 2) {
        throw BadArguments("diff needs one snapshot file (compared with the switch) or two");
    }
    std::vector<snapshot::Snapshot> sides;
    for (const std::string& file : request.operands) {
        snapshot::ReadResult read = snapshot::ReadFile(file);
        if (!read.snapshot) {
            err << kProgram << ": " << read.error << '\n';
            return kToolBadArguments;
        }
        sides.push_back(std::move(*read.snapshot));
    }
    if (sides.size() == 1) {
        UseModuleCommandLine(request, err);
        std::optional<snapshot::Snapshot> current = ReadSwitch(err);
        if (!current) {
            return kToolBadArguments;
        }
        sides.push_back(std::move(*current));
    }
    const auto differences = snapshot::Compare(sides[0], sides[1]);
    for (const snapshot::Difference& difference : differences) {
        out << snapshot::DifferenceLine(difference, sides[0].header, sides[1].header) << '\n';
    }
    return differences.empty() ? kToolOk : kToolRequestFailed;
}

int RunOperation(const ToolRequest& request, RunMode mode, std::ostream& out, std::ostream& err) {
    const std::string& operation = request.operation;
    if (operation == "diff" || operation == "snapshot") {
        if (mode == RunMode::CheckOnly) {
            return kToolOk;
        }
        return operation == "diff" ? RunDiff(request, out, err) : RunSnapshot(request, err);
    }
    if (operation != "get" && operation != "getnext" && operation != "walk" && operation != "set") {
        throw BadArguments("unknown operation '" + operation +
                           "' (get, getnext, walk, set, snapshot or diff)");
    }
    UseModuleCommandLine(request, err);
    CCommonSNMP session;
    if (operation == "get") {
        return RunRead(session, request, kPduGet, mode, out, err);
    }
    if (operation == "getnext") {
        return RunRead(session, request, kPduGetNext, mode, out, err);
    }
    if (operation == "walk") {
        return RunWalk(session, request, mode, out, err);
    }
    return RunSet(session, request, mode, out, err);
}

} // namespace

std::string DescribeStatus(int status) {
    static const char* const kErrorStatusNames[] = {"noError",
                                                    "tooBig",
                                                    "noSuchName",
                                                    "badValue",
                                                    "readOnly",
                                                    "genErr",
                                                    "noAccess",
                                                    "wrongType",
                                                    "wrongLength",
                                                    "wrongEncoding",
                                                    "wrongValue",
                                                    "noCreation",
                                                    "inconsistentValue",
                                                    "resourceUnavailable",
                                                    "commitFailed",
                                                    "undoFailed",
                                                    "authorizationError",
                                                    "notWritable",
                                                    "inconsistentName"};
    std::string meaning;
    switch (status) {
    case kSnmpTimeout:
        meaning = "no response within the timeout";
        break;
    case kSnmpEndOfTable:
        meaning = "end of table";
        break;
    case kSnmpFailed:
        meaning = "the request could not be sent or was refused";
        break;
    case kSnmpCancelled:
        meaning = "cancelled";
        break;
    default:
        if (status >= 0 && status < static_cast<int>(std::size(kErrorStatusNames))) {
            meaning = kErrorStatusNames[status];
        } else {
            meaning = "unknown status";
        }
        break;
    }
    return "status " + std::to_string(status) + " (" + meaning + ")";
}

std::string SnmpToolUsage() {
    return R"(Usage: ksx-snmp [--timeout MS] "COMMAND LINE" OPERATION ARGUMENT...
       ksx-snmp --help | --version

Sends SNMP requests through the module's own session layer, with the session
parameters the module takes from COMMAND LINE, and prints what comes back.

COMMAND LINE  the module's command line as one argument, for example
              "/Nname /I127.0.0.1 /Rguests /Wkeepers /Efalse /V1 /P161"
              (field 2 the device address, 3 and 4 the read and write community,
              6 the SNMP version 1 or 3, 7 the UDP port; with version 3 also
              11 the security level, 12 the user, 13 and 14 the authentication and
              privacy passwords, 15 and 16 the authentication and privacy protocols)

Operations:
  get OID...             one get request for all OIDs
  getnext OID...         one get-next request for all OIDs
  walk COLUMN...         walks the columns (or one subtree) row by row, the way the
                         module reads its tables, until the walk leaves them
  set OID TYPE VALUE...  one set request; TYPE 1 integer, 2 octet string (text),
                         2x octet string in hexadecimal digits, 8 IP address,
                         10 unsigned 32-bit value
  snapshot FILE          reads every setting the module's dialogs write into a
                         settings snapshot file (no secrets)
  diff OLDER [NEWER]     the settings that differ between two settings snapshots, or
                         between one and the switch now, one line each ("menu path /
                         setting: older -> newer"). Exit status as diff's: 0 none,
                         1 some, 2 trouble

Options (before COMMAND LINE):
  -t, --timeout MS       request timeout in milliseconds (default 3000)
  -h, --help             shows this text
      --version          prints the name and version

Output: one line per value, in the order received, as OID|TAG|VALUE with TAG
  2 integer, 4 octet string (printable text), 4x octet string (hexadecimal),
  5 null, 6 OID, 64 IP address, 65 Counter32, 66 Gauge32/Unsigned32,
  67 TimeTicks, 68x Opaque (hexadecimal), 70 Counter64.

Exit status: 0 success; 1 the request failed (the status is on standard error);
2 bad arguments (nothing was sent).
)";
}

namespace {

int Run(const std::vector<std::string>& args, RunMode mode, std::ostream& out, std::ostream& err) {
    try {
        const ToolRequest request = ParseToolArguments(args);
        if (request.help) {
            out << SnmpToolUsage();
            return kToolOk;
        }
        if (request.version) {
            out << kProgram << " " << kKsxVersion << "\n";
            return kToolOk;
        }
        return RunOperation(request, mode, out, err);
    } catch (const BadArguments& problem) {
        err << kProgram << ": " << problem.what() << "\nTry 'ksx-snmp --help'.\n";
        return kToolBadArguments;
    }
}

} // namespace

int RunSnmpTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return Run(args, RunMode::Send, out, err);
}

int CheckSnmpToolArguments(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
    return Run(args, RunMode::CheckOnly, out, err);
}
