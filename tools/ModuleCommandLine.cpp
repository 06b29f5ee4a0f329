// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// TEMPORARY stand-in for the module's command-line parser (see ModuleCommandLine.h). It only
// lets ksx-snmp run until the real parser is linked in; do not grow it.
#include "tools/ModuleCommandLine.h"

#include <string>
#include <vector>

namespace {

// Values by position: after each value the "/" and the key character are stepped over;
// blanks never become part of a value.
std::vector<std::string> FieldValues(std::string_view text) {
    std::vector<std::string> values;
    size_t pos = 2;
    while (pos <= text.size()) {
        std::string value;
        while (pos < text.size() && text[pos] != '/') {
            if (text[pos] != ' ') {
                value += text[pos];
            }
            ++pos;
        }
        values.push_back(value);
        if (pos >= text.size()) {
            break;
        }
        pos += 2;
    }
    return values;
}

void StoreIfGiven(std::string& field, const std::string& value) {
    if (!value.empty()) {
        field = value;
    }
}

} // namespace

SessionParametersData ParseCommandLine(std::string_view commandLine) {
    SessionParametersData parameters;
    const std::vector<std::string> values = FieldValues(commandLine);
    auto field = [&values](size_t number) {
        return number <= values.size() ? values[number - 1] : std::string();
    };
    parameters.FirstField = field(1);
    if (commandLine.find("/I") == std::string_view::npos || values.size() < 2) {
        return parameters;
    }
    parameters.DeviceAddress = field(2);
    if (parameters.DeviceAddress.empty()) {
        return parameters;
    }
    StoreIfGiven(parameters.ReadCommunity, field(3));
    StoreIfGiven(parameters.WriteCommunity, field(4));
    parameters.VlanEditAllowed = field(5) == "TRUE" || field(5) == "true";
    StoreIfGiven(parameters.SnmpVersion, field(6));
    StoreIfGiven(parameters.SnmpPort, field(7));
    if (parameters.SnmpVersion == "1") {
        return parameters;
    }
    StoreIfGiven(parameters.Field10, field(10));
    StoreIfGiven(parameters.SecurityLevel, field(11));
    StoreIfGiven(parameters.UserName, field(12));
    StoreIfGiven(parameters.AuthPassword, field(13));
    StoreIfGiven(parameters.PrivPassword, field(14));
    StoreIfGiven(parameters.AuthProtocol, field(15));
    StoreIfGiven(parameters.PrivProtocol, field(16));
    return parameters;
}
