// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// User.ini as the host writes it, or broken: the device name read from it stays within its
// length limit and never ends in half a surrogate pair; numbers are never negative, and the
// port count stays within the family's.
#include "app/UserIni.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const platform::IniFile userIni = platform::IniFile::FromUtf8(content);

    const QString deviceName = QString::fromStdString(ReadDeviceName(userIni));
    if (deviceName.size() > kDeviceNameMaxLength ||
        (!deviceName.isEmpty() && deviceName.back().isHighSurrogate())) {
        __builtin_trap();
    }
    const QString section = QString::fromLatin1(kDeviceInfoSection);
    const int portCount =
        DevicePortCountOf(userIni.ReadInt(section, QStringLiteral("DevicePortNum"), 28));
    if (portCount < 0 || portCount > kMaxDevicePortCount) {
        __builtin_trap();
    }
    for (const char* key : {"DevicePortNum", "DeviceName", "IsAllGiga", "IsHasFan"}) {
        const int number = userIni.ReadInt(section, QString::fromLatin1(key), -1);
        if (number < -1) {
            __builtin_trap();
        }
        const QString text =
            userIni.ReadString(section, QString::fromLatin1(key), QStringLiteral("none  "), 4);
        if (text.size() > 4) {
            __builtin_trap();
        }
    }
    return 0;
}
