// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/ModuleApp.h"

#include "app/CommandLine.h"
#include "app/InstanceName.h"
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "app/UserIni.h"
#include "platform/Message.h"
#include "platform/SingleInstance.h"
#include "platform/SocketSupport.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"
#include "snmp/Snmp.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QIcon>

namespace {
constexpr unsigned kSnmpLibraryTimeoutMs = 5000;
} // namespace

CModuleApp::CModuleApp(std::string commandLine) : m_commandLine(std::move(commandLine)) {}

CModuleApp::~CModuleApp() = default;

QIcon CModuleApp::ModuleIcon() {
    QIcon icon;
    for (const int size : {32, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/ksx-module-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

bool CModuleApp::InitInstance() {
    QApplication::setWindowIcon(ModuleIcon());
    if (!platform::SocketSupportAvailable()) {
        return FailStartup("Failed to initialize communication port !");
    }
    // Nothing to enable for controls or COM on this platform.
    InitSnmpLibrary();
    if (m_commandLine.empty()) {
        return FailStartup("No parameter input !");
    }
    SessionParameters() = ParseCommandLine(m_commandLine);
    const std::string deviceName = ReadDeviceName(UserIniPath());
    platform::SetMessageTitle(DeviceTitle(deviceName, SessionParameters().DeviceAddress));
    if (ClaimDevice(BuildInstanceName(deviceName, SessionParameters().DeviceAddress))) {
        RunModuleWindow();
    }
    return false;
}

bool CModuleApp::FailStartup(const char* message) {
    platform::ShowMessage(QString::fromLatin1(message));
    m_exitCode = kExitStartupFailed;
    return false;
}

void CModuleApp::InitSnmpLibrary() {
    SnmpInit();
    SetSnmpTimeout(kSnmpLibraryTimeoutMs);
}

bool CModuleApp::ClaimDevice(const std::string& instanceName) {
    m_instance = std::make_unique<platform::SingleInstance>(QString::fromStdString(instanceName));
    if (m_instance->Claim() == platform::SingleInstance::Outcome::AnotherIsServing) {
        platform::DebugTrace("Single instance: " + instanceName +
                             " runs already, asked it to come forward");
        return false;
    }
    platform::DebugTrace("Single instance: serving " + instanceName);
    return true;
}

// The module window runs until it is closed. Its own event loop is not QDialog::exec:
// the window hides itself while a command dialog runs, and hiding would end exec.
void CModuleApp::RunModuleWindow() {
    RegisterModuleCommands();
    // A request to come forward can arrive while the window is still being set up (a start-up
    // message box runs its own event loop): it is kept until the window is shown.
    QDialog* shownWindow = nullptr;
    bool activationPending = false;
    const QMetaObject::Connection activation =
        QObject::connect(m_instance.get(), &platform::SingleInstance::activationRequested,
                         m_instance.get(), [&shownWindow, &activationPending] {
                             platform::DebugTrace("activate");
                             if (shownWindow != nullptr) {
                                 BringForward(*shownWindow);
                             } else {
                                 activationPending = true;
                             }
                         });
    CModuleWindow window;
    QEventLoop loop;
    QObject::connect(&window, &QDialog::finished, &loop, &QEventLoop::quit);
    window.show();
    shownWindow = &window;
    if (activationPending) {
        BringForward(window);
    }
    loop.exec();
    QObject::disconnect(activation);
}

// Restores a minimised window and puts it above the others with the keyboard focus.
void CModuleApp::BringForward(QDialog& window) {
    window.showNormal();
    window.raise();
    window.activateWindow();
}
