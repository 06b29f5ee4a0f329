// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/UserIni.h"

#include "platform/IniFile.h"

#include <QCoreApplication>

#include <algorithm>

QString UserIniPath() {
    QString overridePath = qEnvironmentVariable("KSX_USER_INI");
    if (!overridePath.isEmpty()) {
        return overridePath;
    }
    return QCoreApplication::applicationDirPath() + QStringLiteral("/User.ini");
}

std::string ReadDeviceName(const QString& userIniPath) {
    return ReadDeviceName(platform::IniFile(userIniPath));
}

int DevicePortCountOf(int devicePortNum) {
    return std::clamp(devicePortNum, 0, kMaxDevicePortCount);
}

std::string ReadDeviceName(const platform::IniFile& userIni) {
    return userIni
        .ReadString(QString::fromLatin1(kDeviceInfoSection), QStringLiteral("DeviceName"),
                    QString(), kDeviceNameMaxLength)
        .toStdString();
}

QString DeviceTitle(const std::string& deviceName, const std::string& address) {
    const QString addressText = QString::fromStdString(address);
    if (deviceName.empty()) {
        return addressText;
    }
    return QString::fromStdString(deviceName) + QStringLiteral(": ") + addressText;
}
