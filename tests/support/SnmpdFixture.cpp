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

bool SnmpdFixture::Start() {
    Stop();
    const std::string snmpd = FindProgram("snmpd");
    if (snmpd.empty()) {
        m_error = "snmpd is not installed";
        return false;
    }
    m_dir = MakeTempDir("ksx-snmpd-");
    m_port = FreeUdpPort();
    std::ostringstream config;
    config << "agentaddress udp:127.0.0.1:" << m_port << "\n"
           << "rocommunity guests 127.0.0.1\nrwcommunity keepers 127.0.0.1\n"
              "engineID ksxtestengine\n"
              "createUser plainuser\nrwuser plainuser noauth\n"
              "createUser md5user MD5 \"md5password\"\nrwuser md5user auth\n"
              "createUser shauser SHA \"shapassword\"\nrwuser shauser auth\n"
              "createUser shadesuser SHA \"shapassword\" DES \"despassword\"\n"
              "rwuser shadesuser priv\n";
    const std::string configPath = m_dir + "/snmpd.conf";
    WriteFile(configPath, config.str());
    std::vector<std::string> argv = {snmpd, "-f", "-Lo", "-C", "-I", "-smux", "-c", configPath};
    argv.insert(argv.end(), {"-p", m_dir + "/snmpd.pid", "--persistentDir=" + m_dir,
                             "--noPersistentLoad=1", "--noPersistentSave=1"});
    if (!m_process.Start(argv, LogPath(), {"MIBS=", "SNMPCONFPATH=" + m_dir})) {
        m_error = "cannot start snmpd";
        return false;
    }
    // snmpd names its version once its ports are open.
    return WaitUntilReady([this] { return Log().find("NET-SNMP version") != std::string::npos; },
                          "snmpd");
}

} // namespace testsupport
