// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/CommandLine.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

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

    std::size_t Position() const { return m_position; }

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

// Fields 3 and 4 (read and write community), 13 and 14 (authentication and privacy password).
bool IsSecretField(int field) {
    return field == 3 || field == 4 || field == 13 || field == 14;
}
constexpr int kLastField = 16;

// Where the values of the secret fields lie in the text, [begin, end), by position only: also
// where the parser stops before them (a host may pass the passwords with version 1).
std::vector<std::pair<std::size_t, std::size_t>> SecretValueSpans(std::string_view text) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    FieldCursor cursor(text);
    for (int field = 1; field <= kLastField && (field == 1 || cursor.NextField()); ++field) {
        const std::size_t begin = cursor.Position();
        cursor.ReadValue();
        if (IsSecretField(field)) {
            spans.emplace_back(begin, cursor.Position());
        }
    }
    return spans;
}

} // namespace

void HideSecretArguments(int argc, char** argv) {
    const auto spans = SecretValueSpans(JoinCommandLine(argc, argv));
    const auto isSecret = [&spans](std::size_t position) {
        return std::any_of(spans.begin(), spans.end(), [position](const auto& span) {
            return position >= span.first && position < span.second;
        });
    };
    std::size_t argumentStart = 0; // where the argument begins in the joined text
    for (int index = 1; index < argc; ++index) {
        char* argument = argv[index];
        const std::size_t length = std::strlen(argument);
        std::size_t kept = 0;
        for (std::size_t at = 0; at < length; ++at) {
            if (!isSecret(argumentStart + at)) {
                argument[kept++] = argument[at];
            }
        }
        std::memset(argument + kept, 0, length - kept);
        argumentStart += length + 1; // and the blank that joins the next argument
    }
}

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
