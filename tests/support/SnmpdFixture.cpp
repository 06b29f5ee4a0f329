// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/SnmpdFixture.h"

#include <unistd.h>

#include <sstream>

namespace testsupport {

std::string FindProgram(const std::string& name) {
    for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/usr/local/sbin/", "/usr/local/bin/"}) {
        const std::string path = std::string(folder) + name;
        if (access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return {};
}

std::vector<SnmpdUser> SnmpdFixture::StandardUsers() {
    return {
        {"plainuser", "", "", "", ""},
        {"md5user", "MD5", "md5password", "", ""},
        {"shauser", "SHA", "shapassword", "", ""},
        {"shadesuser", "SHA", "shapassword", "DES", "despassword"},
    };
}

namespace {

std::string UserLines(const SnmpdUser& user) {
    std::ostringstream lines;
    lines << "createUser " << user.name;
    std::string level = "noauth";
    if (!user.auth.empty()) {
        lines << ' ' << user.auth << " \"" << user.authPassword << '"';
        level = "auth";
        if (!user.priv.empty()) {
            lines << ' ' << user.priv << " \"" << user.privPassword << '"';
            level = "priv";
        }
    }
    lines << "\nrwuser " << user.name << ' ' << level << '\n';
    return lines.str();
}

} // namespace

bool SnmpdFixture::Start(const Options& options) {
    Stop();
    const std::string snmpd = FindProgram("snmpd");
    if (snmpd.empty()) {
        m_error = "snmpd is not installed";
        return false;
    }
    m_dir = MakeTempDir("ksx-snmpd-");
    m_port = FreeUdpPort();
    std::ostringstream config;
    config << "agentaddress udp:127.0.0.1:" << m_port << '\n'
           << "rocommunity " << options.roCommunity << " 127.0.0.1\n"
           << "rwcommunity " << options.rwCommunity << " 127.0.0.1\n"
           << "engineID ksxtestengine\n";
    for (const SnmpdUser& user : options.users) {
        config << UserLines(user);
    }
    const std::string configPath = m_dir + "/snmpd.conf";
    WriteFile(configPath, config.str());
    const std::vector<std::string> argv = {snmpd,
                                           "-f",
                                           "-Lo",
                                           "-C",
                                           "-I",
                                           "-smux",
                                           "-c",
                                           configPath,
                                           "-p",
                                           m_dir + "/snmpd.pid",
                                           "--persistentDir=" + m_dir,
                                           "--noPersistentLoad=1",
                                           "--noPersistentSave=1"};
    if (!m_process.Start(argv, LogPath(), {"MIBS=", "SNMPCONFPATH=" + m_dir})) {
        m_error = "cannot start snmpd";
        return false;
    }
    if (!WaitForUdpListener(m_port, 10000)) {
        m_error = "snmpd did not start listening: " + Log();
        Stop();
        return false;
    }
    return true;
}

} // namespace testsupport
