// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/CommandLine.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr std::size_t kFirstValueIndex = 2;   // after the first slash and key character
constexpr std::size_t kFieldHeaderLength = 2; // a slash and a key character

// Walks the fields of the command line. Never reads outside the text.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view text)
        : m_text(text), m_position(std::min(kFirstValueIndex, text.size())) {}

    // The characters up to the next slash or the end, without any blanks.
    std::string ReadValue() {
        std::string value;
        for (; m_position < m_text.size() && m_text[m_position] != '/'; ++m_position) {
            if (m_text[m_position] != ' ') {
                value += m_text[m_position];
            }
        }
        return value;
    }

    // Steps over the slash and key character of the next field; false when the text ends
    // before that field's value.
    bool NextField() {
        if (m_position >= m_text.size()) {
            return false;
        }
        m_position = std::min(m_position + kFieldHeaderLength, m_text.size());
        return m_position < m_text.size();
    }

private:
    std::string_view m_text;
    std::size_t m_position;
};

// Reads the next field into `target` unless it is empty; false when there is no next field.
bool ReadNonEmptyField(FieldCursor& cursor, std::string& target) {
    if (!cursor.NextField()) {
        return false;
    }
    std::string value = cursor.ReadValue();
    if (!value.empty()) {
        target = std::move(value);
    }
    return true;
}

bool SkipField(FieldCursor& cursor) {
    if (!cursor.NextField()) {
        return false;
    }
    cursor.ReadValue();
    return true;
}

// Fields 3 to 7; false when the text ended before one of them.
bool ReadCommunityFields(FieldCursor& cursor, SessionParametersData& parameters) {
    if (!ReadNonEmptyField(cursor, parameters.ReadCommunity) ||
        !ReadNonEmptyField(cursor, parameters.WriteCommunity) || !cursor.NextField()) {
        return false;
    }
    const std::string vlanEdit = cursor.ReadValue();
    parameters.VlanEditAllowed = vlanEdit == "TRUE" || vlanEdit == "true";
    return ReadNonEmptyField(cursor, parameters.SnmpVersion) &&
           ReadNonEmptyField(cursor, parameters.SnmpPort);
}

// Fields 8 to 16: two fields nothing uses, then the SNMPv3 settings.
void ReadUserSecurityFields(FieldCursor& cursor, SessionParametersData& parameters) {
    if (!SkipField(cursor) || !SkipField(cursor)) {
        return;
    }
    for (std::string* target :
         {&parameters.Field10, &parameters.SecurityLevel, &parameters.UserName,
          &parameters.AuthPassword, &parameters.PrivPassword, &parameters.AuthProtocol,
          &parameters.PrivProtocol}) {
        if (!ReadNonEmptyField(cursor, *target)) {
            return;
        }
    }
}

} // namespace

std::string JoinCommandLine(int argc, const char* const* argv) {
    std::string commandLine;
    for (int index = 1; index < argc; ++index) {
        if (index > 1) {
            commandLine += ' ';
        }
        commandLine += argv[index];
    }
    return commandLine;
}

SessionParametersData ParseCommandLine(std::string_view commandLine) {
    SessionParametersData parameters;
    FieldCursor cursor(commandLine);
    parameters.FirstField = cursor.ReadValue();
    if (commandLine.find("/I") == std::string_view::npos || !cursor.NextField()) {
        return parameters;
    }
    parameters.DeviceAddress = cursor.ReadValue();
    if (parameters.DeviceAddress.empty() || !ReadCommunityFields(cursor, parameters) ||
        parameters.SnmpVersion == "1") {
        return parameters;
    }
    ReadUserSecurityFields(cursor, parameters);
    return parameters;
}
