// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <memory>
#include <string>

class QDialog;

namespace platform {
class SingleInstance;
}

// The application object: start-up checks, the session parameters from the command line, one
// module per device, then the module window until it closes. Needs a QApplication.
class QIcon;

class CModuleApp {
public:
    enum : int {
        kExitOk = 0,           // the window closed, or another process serves the device
        kExitStartupFailed = 1 // start-up stopped with a message
    };

    explicit CModuleApp(std::string commandLine);
    ~CModuleApp();
    CModuleApp(const CModuleApp&) = delete;
    CModuleApp& operator=(const CModuleApp&) = delete;

    // Runs start-up and, when it gets that far, the module window. Always false: the process
    // ends when it returns. ExitCode() tells how it went.
    bool InitInstance();
    int ExitCode() const { return m_exitCode; }
    // The icon of every window of the module (32, 64 and 128 pixels).
    static QIcon ModuleIcon();

private:
    bool FailStartup(const char* message);
    static void InitSnmpLibrary();
    // One module per device: true when this process serves it, false when another does.
    bool ClaimDevice(const std::string& instanceName);
    void RunModuleWindow();
    static void BringForward(QDialog& window);

    std::string m_commandLine;
    std::unique_ptr<platform::SingleInstance> m_instance; // held for the life of the process
    int m_exitCode = kExitOk;
};
