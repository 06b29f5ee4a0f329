// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/SimFixture.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <filesystem>
#include <sstream>

namespace testsupport {

namespace {

std::vector<QJsonObject> JsonLines(const std::string& path) {
    std::vector<QJsonObject> objects;
    std::istringstream lines(ReadFile(path));
    for (std::string line; std::getline(lines, line);) {
        QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
        if (document.isObject()) {
            objects.push_back(document.object());
        }
    }
    return objects;
}

std::string Text(const QJsonObject& object, const char* key) {
    return object.value(QString::fromLatin1(key)).toString().toStdString();
}

} // namespace

std::string SimFixture::Program() {
    return std::string(KSX_BIN_DIR) + "/ksx-sim";
}

bool SimFixture::Start(const Options& options) {
    Stop();
    m_error.clear();
    m_dir = MakeTempDir("ksx-sim-test-");
    if (m_dir.empty()) {
        m_error = "cannot create a temporary folder";
        return false;
    }
    const std::string ready = m_dir + "/ready";
    std::vector<std::string> argv = {
        Program(),     "--listen",    "udp:127.0.0.1:0",       "--model",
        options.model, "--state-dir", m_dir + "/state",        "--ready-file",
        ready,         "--set-log",   m_dir + "/set-log.jsonl"};
    if (options.requestLog) {
        argv.insert(argv.end(), {"--request-log", m_dir + "/request-log.jsonl"});
    }
    argv.insert(argv.end(), options.arguments.begin(), options.arguments.end());
    if (!m_process.Start(argv, LogPath())) {
        m_error = "cannot start " + Program();
        return false;
    }
    if (!WaitUntilReady([&] { return std::filesystem::exists(ready); }, "ksx-sim")) {
        return false;
    }
    // first line: udp:127.0.0.1:PORT
    std::string address = ReadFile(ready);
    address = address.substr(0, address.find('\n'));
    m_port = std::stoi(address.substr(address.rfind(':') + 1));
    return true;
}

std::vector<SimSetRecord> SimFixture::SetLog() const {
    std::vector<SimSetRecord> records;
    for (const QJsonObject& object : JsonLines(m_dir + "/set-log.jsonl")) {
        SimSetRecord record;
        record.version = Text(object, "version");
        record.security = Text(object, "security");
        record.result = Text(object, "result");
        record.errorIndex = object.value(QStringLiteral("errorIndex")).toInt();
        for (const QJsonValue& binding : object.value(QStringLiteral("bindings")).toArray()) {
            const QJsonObject b = binding.toObject();
            record.bindings.push_back({Text(b, "oid"), Text(b, "type"), Text(b, "value")});
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<SimRequestRecord> SimFixture::RequestLog() const {
    std::vector<SimRequestRecord> records;
    for (const QJsonObject& object : JsonLines(m_dir + "/request-log.jsonl")) {
        SimRequestRecord record;
        record.pdu = Text(object, "pdu");
        record.security = Text(object, "security");
        record.answered = object.value(QStringLiteral("answered")).toBool();
        record.reason = Text(object, "reason");
        record.repetitions = object.value(QStringLiteral("repetitions")).toInt();
        for (const QJsonValue& oid : object.value(QStringLiteral("oids")).toArray()) {
            record.oids.push_back(oid.toString().toStdString());
        }
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace testsupport
