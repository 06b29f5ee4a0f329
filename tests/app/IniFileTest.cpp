// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/IniFile.h"
#include "QtPrinting.h"
#include "app/InstanceName.h"
#include "app/UserIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

namespace {

class IniFileTest : public testing::Test {
protected:
    QString Write(const QByteArray& content) {
        QString path = m_dir.filePath(QStringLiteral("User%1.ini").arg(++m_files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    static QString Read(const QString& path, const char* section, const char* key,
                        const QString& defaultValue = QStringLiteral("dflt"),
                        qsizetype maxLength = 259) {
        return platform::IniFile(path).ReadString(QString::fromUtf8(section),
                                                  QString::fromUtf8(key), defaultValue, maxLength);
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

TEST_F(IniFileTest, NamesCompareWithoutCaseAndBlanksAreTrimmed) {
    const QString path = Write("[ DeviceInfo ]\r\n"
                               "  DeviceName  =  KSX-7700-52  \r\n"
                               "\tXMLName=\tpanel 52.xml\t\r\n");
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName"), "KSX-7700-52");
    EXPECT_EQ(Read(path, "deviceinfo", "DEVICENAME"), "KSX-7700-52");
    EXPECT_EQ(Read(path, " DEVICEinfo ", " devicename "), "KSX-7700-52");
    EXPECT_EQ(Read(path, "DeviceInfo", "XMLName"), "panel 52.xml");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    const QString path = Write("[Other]\nDeviceName=wrong\n[DeviceInfo]\nXMLName=x.xml\n");
    EXPECT_EQ(Read(m_dir.filePath(QStringLiteral("absent.ini")), "DeviceInfo", "DeviceName"),
              "dflt");
    EXPECT_EQ(Read(path, "Missing", "XMLName"), "dflt");
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName"), "dflt"); // lives in [Other] only
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName", QString()), "");
    // The default loses its trailing blanks, not its leading ones.
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName", QStringLiteral(" a b  ")), " a b");
    EXPECT_EQ(platform::IniFile(m_dir.path()).ReadString("DeviceInfo", "XMLName", "d", 9), "d");
}

TEST_F(IniFileTest, ResultIsCutToTheLengthLimit) {
    const QByteArray longName(300, 'N');
    const QString path = Write("[DeviceInfo]\nDeviceName=" + longName + "\nShort=abc\n");
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName"), QString(259, u'N'));
    EXPECT_EQ(Read(path, "DeviceInfo", "Short", "dflt", 2), "ab");
    EXPECT_EQ(Read(path, "DeviceInfo", "Short", "dflt", 0), "");
    EXPECT_EQ(Read(path, "DeviceInfo", "Missing", QString(300, u'D'), 259), QString(259, u'D'));
}

TEST_F(IniFileTest, NonAsciiTextIsKeptAndNeverCutInsideACharacter) {
    // U+1F600 takes two UTF-16 units: a cut after the first one drops the whole character.
    const QString path = Write("\xef\xbb\xbf[DeviceInfo]\nName=\xc3\xa4x\xf0\x9f\x98\x80y\n");
    EXPECT_EQ(Read(path, "DeviceInfo", "Name"), QString::fromUtf8("\xc3\xa4x\xf0\x9f\x98\x80y"));
    EXPECT_EQ(Read(path, "DeviceInfo", "Name", "", 3), QString::fromUtf8("\xc3\xa4x"));
}

TEST_F(IniFileTest, CommentsBlankAndStrayLinesAreSkipped) {
    const QString path = Write("Orphan=before any section\n"
                               "; a comment\n"
                               "\n"
                               "[DeviceInfo]\n"
                               "   ; DeviceName=commented out\n"
                               "no equals sign here\n"
                               "=no key\n"
                               "[Broken\n"
                               "DeviceName=a;b # kept\n");
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName"), "a;b # kept");
    EXPECT_EQ(Read(path, "DeviceInfo", "no equals sign here"), "dflt");
    EXPECT_EQ(Read(path, "", "Orphan"), "dflt");
    EXPECT_EQ(Read(path, "Broken", "DeviceName"), "dflt");
}

TEST_F(IniFileTest, FirstKeyAndFirstSectionWin) {
    const QString path = Write("[DeviceInfo]\nDeviceName=first\ndevicename=second\n"
                               "[DEVICEINFO]\nDeviceName=third\nXMLName=later.xml\n");
    EXPECT_EQ(Read(path, "DeviceInfo", "DeviceName"), "first");
    EXPECT_EQ(Read(path, "DeviceInfo", "XMLName"), "dflt");
}

TEST_F(IniFileTest, EnclosingQuotesAreRemoved) {
    const QString path = Write("[S]\nA=\" padded \"\nB='x'\nC=\"mixed'\nD=\"\nE=\"\"\"\"\n");
    EXPECT_EQ(Read(path, "S", "A"), " padded ");
    EXPECT_EQ(Read(path, "S", "B"), "x");
    EXPECT_EQ(Read(path, "S", "C"), "\"mixed'");
    EXPECT_EQ(Read(path, "S", "D"), "\"");
    EXPECT_EQ(Read(path, "S", "E"), "\"\"");
}

TEST_F(IniFileTest, IntegersReadTheLeadingDigits) {
    const QString path = Write("[DeviceInfo]\nDevicePortNum=52\nTrailing=102abc\nWord=abc\n"
                               "Empty=\nNegative=-5\nHuge=99999999999\nQuoted=\"20\"\n");
    const platform::IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("deviceinfo", "deviceportnum", 28), 52);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Missing", 28), 28);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Trailing", 28), 102);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Word", 28), 0);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Empty", 28), 0);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Negative", 28), 0);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Huge", 28), INT_MAX);
    EXPECT_EQ(ini.ReadInt("DeviceInfo", "Quoted", 28), 20);
    EXPECT_EQ(platform::IniFile(m_dir.filePath("absent.ini")).ReadInt("DeviceInfo", "X", 28), 28);
}

TEST_F(IniFileTest, UserIniIsBesideTheProgramUnlessTheEnvironmentNamesOne) {
    qunsetenv("KSX_USER_INI");
    EXPECT_EQ(UserIniPath(), QCoreApplication::applicationDirPath() + "/User.ini");
    qputenv("KSX_USER_INI", "");
    EXPECT_EQ(UserIniPath(), QCoreApplication::applicationDirPath() + "/User.ini");
    const QString path = Write("[deviceinfo]\ndevicename = " + QByteArray(280, 'K') + "\n");
    qputenv("KSX_USER_INI", path.toUtf8());
    EXPECT_EQ(UserIniPath(), path);
    EXPECT_EQ(ReadDeviceName(UserIniPath()), std::string(259, 'K'));
    qunsetenv("KSX_USER_INI");
    EXPECT_EQ(ReadDeviceName(m_dir.filePath("absent.ini")), "");
}

TEST(InstanceNameTest, JoinsPrefixDeviceNameAndAddressWithoutSeparators) {
    EXPECT_EQ(BuildInstanceName("KSX-7700-52", "10.0.0.5"), "Module:KSX-7700-5210.0.0.5");
    EXPECT_EQ(BuildInstanceName("", "10.0.0.5"), "Module:10.0.0.5");
    EXPECT_EQ(BuildInstanceName("", ""), "Module:");
}

} // namespace
