// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/IniFile.h"
#include "app/UserIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

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

    QTemporaryDir m_dir;
    int m_files = 0;
};

struct Read {
    const char* section;
    const char* key;
    QString expected;
    QString defaultValue = QStringLiteral("dflt");
    qsizetype maxLength = 259;
};

struct FileCase {
    QByteArray content; // null: no file at all
    std::vector<Read> reads;
};

TEST_F(IniFileTest, ReadStringFindsTheFirstMatchOrGivesTheDefault) {
    const QString ae = QString::fromUtf8("\xc3\xa4x");
    const FileCase cases[] = {
        // Names compare without case and blanks are trimmed.
        {"[ DeviceInfo ]\r\n  DeviceName  =  KSX-7700-52  \r\n\tXMLName=\tpanel 52.xml\t\r\n",
         {{"DeviceInfo", "DeviceName", "KSX-7700-52"},
          {"deviceinfo", "DEVICENAME", "KSX-7700-52"},
          {" DEVICEinfo ", " devicename ", "KSX-7700-52"},
          {"DeviceInfo", "XMLName", "panel 52.xml"}}},
        // A missing file, section or key gives the default, which loses its trailing blanks.
        {QByteArray(), {{"DeviceInfo", "DeviceName", "dflt"}}},
        {"[Other]\nDeviceName=wrong\n[DeviceInfo]\nXMLName=x.xml\n",
         {{"Missing", "XMLName", "dflt"},
          {"DeviceInfo", "DeviceName", "dflt"},
          {"DeviceInfo", "DeviceName", "", QString()},
          {"DeviceInfo", "DeviceName", " a b", QStringLiteral(" a b  ")}}},
        // The result is cut to the length limit.
        {"[DeviceInfo]\nDeviceName=" + QByteArray(300, 'N') + "\nShort=abc\n",
         {{"DeviceInfo", "DeviceName", QString(259, u'N')},
          {"DeviceInfo", "Short", "ab", "dflt", 2},
          {"DeviceInfo", "Short", "", "dflt", 0},
          {"DeviceInfo", "Missing", QString(259, u'D'), QString(300, u'D')}}},
        // Text that is no ASCII is kept, and never cut inside a character: U+1F600 takes two
        // UTF-16 units, a cut after the first one drops the whole character.
        {"\xef\xbb\xbf[DeviceInfo]\nName=\xc3\xa4x\xf0\x9f\x98\x80y\n",
         {{"DeviceInfo", "Name", QString::fromUtf8("\xc3\xa4x\xf0\x9f\x98\x80y")},
          {"DeviceInfo", "Name", ae, "", 3}}},
        // Comments, blank and stray lines are skipped.
        {"Orphan=before any section\n; a comment\n\n[DeviceInfo]\n   ; DeviceName=commented out\n"
         "no equals sign here\n=no key\n[Broken\nDeviceName=a;b # kept\n",
         {{"DeviceInfo", "DeviceName", "a;b # kept"},
          {"DeviceInfo", "no equals sign here", "dflt"},
          {"", "Orphan", "dflt"},
          {"Broken", "DeviceName", "dflt"}}},
        // The first key and the first section win.
        {"[DeviceInfo]\nDeviceName=first\ndevicename=second\n"
         "[DEVICEINFO]\nDeviceName=third\nXMLName=later.xml\n",
         {{"DeviceInfo", "DeviceName", "first"}, {"DeviceInfo", "XMLName", "dflt"}}},
        // Enclosing quotes are removed.
        {"[S]\nA=\" padded \"\nB='x'\nC=\"mixed'\nD=\"\nE=\"\"\"\"\nF=''\n",
         {{"S", "A", " padded "},
          {"S", "B", "x"},
          {"S", "C", "\"mixed'"},
          {"S", "D", "\""},
          {"S", "E", "\"\""},
          {"S", "F", ""}}},
    };
    for (const FileCase& c : cases) {
        const QString path = c.content.isNull() ? m_dir.filePath("absent.ini") : Write(c.content);
        for (const Read& r : c.reads) {
            EXPECT_EQ(platform::IniFile(path)
                          .ReadString(r.section, r.key, r.defaultValue, r.maxLength)
                          .toStdString(),
                      r.expected.toStdString())
                << c.content.left(40).constData() << " / " << r.section << " / " << r.key;
        }
    }
    EXPECT_EQ(platform::IniFile(m_dir.path()).ReadString("DeviceInfo", "XMLName", "d", 9), "d");
}

TEST_F(IniFileTest, IntegersReadTheLeadingDigits) {
    const platform::IniFile ini(Write("[DeviceInfo]\nDevicePortNum=52\nTrailing=102abc\nWord=abc\n"
                                      "Empty=\nNegative=-5\nHuge=99999999999\nQuoted=\"20\"\n"));
    for (const auto& [key, value] : {std::pair{"deviceportnum", 52},
                                     {"Missing", 28},
                                     {"Trailing", 102},
                                     {"Word", 0},
                                     {"Empty", 0},
                                     {"Negative", 0},
                                     {"Huge", INT_MAX},
                                     {"Quoted", 20}}) {
        EXPECT_EQ(ini.ReadInt("deviceinfo", key, 28), value) << key;
    }
    EXPECT_EQ(platform::IniFile(m_dir.filePath("absent.ini")).ReadInt("DeviceInfo", "X", 28), 28);
}

// The instance name itself is checked by the start-up tests through the module's own lines.
TEST_F(IniFileTest, UserIniIsBesideTheProgramUnlessNamedAndNamesTheDevice) {
    const std::string beside = (QCoreApplication::applicationDirPath() + "/User.ini").toStdString();
    qunsetenv("KSX_USER_INI");
    EXPECT_EQ(UserIniPath().toStdString(), beside);
    qputenv("KSX_USER_INI", "");
    EXPECT_EQ(UserIniPath().toStdString(), beside);
    const QString path = Write("[deviceinfo]\ndevicename = " + QByteArray(280, 'K') + "\n");
    qputenv("KSX_USER_INI", path.toUtf8());
    EXPECT_EQ(UserIniPath(), path);
    EXPECT_EQ(ReadDeviceName(UserIniPath()), std::string(259, 'K'));
    qunsetenv("KSX_USER_INI");
    EXPECT_EQ(ReadDeviceName(m_dir.filePath("absent.ini")), "");
}

} // namespace
