// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the module reads before it starts: its command line and User.ini.
#include "app/CommandLine.h"
#include "app/UserIni.h"
#include "platform/IniFile.h"
#include "tests/support/AgentProcess.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

using S = SessionParametersData;
using Field = std::string S::*;

// The fields by the key letter a full line gives them (C is field 10, read and unused).
constexpr Field N = &S::FirstField, I = &S::DeviceAddress, R = &S::ReadCommunity,
                W = &S::WriteCommunity, V = &S::SnmpVersion, P = &S::SnmpPort, C = &S::Field10,
                L = &S::SecurityLevel, U = &S::UserName, X = &S::AuthPassword, Y = &S::PrivPassword,
                M = &S::AuthProtocol, D = &S::PrivProtocol, T = &S::RequestTimeout;
constexpr Field kAllFields[] = {N, I, R, W, V, P, C, L, U, X, Y, M, D, T};

// Every value of a parse in one text, so that a case checks all of them at once.
std::string Describe(const S& p) {
    std::string text = p.VlanEditAllowed ? "E" : "-";
    for (Field field : kAllFields) {
        text += '|' + p.*field;
    }
    return text;
}

struct Case {
    std::string line;
    std::vector<std::pair<Field, std::string>> values; // the others keep their defaults
    bool vlanEdit = false;
};

std::string Expected(const Case& c) {
    S expected;
    for (const auto& [field, value] : c.values) {
        expected.*field = value;
    }
    expected.VlanEditAllowed = c.vlanEdit;
    return Describe(expected);
}

TEST(CommandLineTest, DefaultsAreTheDocumentedOnes) {
    EXPECT_EQ(Describe(S()), "-|||guests|keepers|1|161|1|1||||1|1|3000");
}

TEST(CommandLineTest, FieldsAreReadByPositionAndEveryOtherKeepsItsDefault) {
    const Case cases[] = {
        {"/Nx /I10.0.0.5", {{N, "x"}, {I, "10.0.0.5"}}},
        {"/Nname /I10.0.0.5 /Rreadcomm /Wwritecomm /ETRUE /V1 /P161",
         {{N, "name"}, {I, "10.0.0.5"}, {R, "readcomm"}, {W, "writecomm"}},
         true},
        // Only one key character per field, and it is not interpreted.
        {"/aone /Itwo /ZZthree /Ifour", {{N, "one"}, {I, "two"}, {R, "Zthree"}, {W, "four"}}},
        // Blanks are dropped everywhere; a field of blanks only is empty.
        {"/N  a b  /I 10.0 .0.5 /R ab cd /W  /E T R U E ",
         {{N, "ab"}, {I, "10.0.0.5"}, {R, "abcd"}},
         true},
        // A slash always starts the next field: field 4 is "/b", field 5 is "/Ww".
        {"/Nx /I10.0.0.5 /Ra/b /Ww", {{N, "x"}, {I, "10.0.0.5"}, {R, "a"}}},
        // Without "/I" (and "/i" does not count) only the first field is read.
        {"/Nx /A10.0.0.5 /Rr /Ww /ETRUE /V3 /P1", {{N, "x"}}},
        {"/Nx /i10.0.0.5 /Rr", {{N, "x"}}},
        // The text is searched as a whole: here "/I" is inside the third field.
        {"/Nx /A10.0.0.5 /R/Ix", {{N, "x"}, {I, "10.0.0.5"}, {W, "x"}}},
        // An empty address stops after the second field.
        {"/Nx /I /Rr /Ww /ETRUE /V3 /P1 /A /B /C7 /L3 /Uu", {{N, "x"}}},
        // Empty fields keep their defaults.
        {"/N /I10.0.0.5 /R /W /E /V /P", {{I, "10.0.0.5"}}},
        {"/N /I10.0.0.5 /R /W /E /V3 /P /A /B /C /L /U /X /Y /M /D", {{I, "10.0.0.5"}, {V, "3"}}},
        // Version 1, and an empty version, ignore the fields of version 3.
        {"/Nn /I10.0.0.5 /Rr /Ww /Efalse /V1 /P1161 /Aeight /Bnine /Cten /L3 /Uuser /Xauth /Ypriv "
         "/M2 /D2",
         {{N, "n"}, {I, "10.0.0.5"}, {R, "r"}, {W, "w"}, {P, "1161"}}},
        {"/Nn /I10.0.0.5 /Rr /Ww /E /V /P /A /B /Cten /L3 /Uuser",
         {{N, "n"}, {I, "10.0.0.5"}, {R, "r"}, {W, "w"}}},
        // Short lines keep the defaults of the missing fields.
        {"/Nn /I10.0.0.5 /Rr", {{N, "n"}, {I, "10.0.0.5"}, {R, "r"}}},
        {"/Nn /I10.0.0.5 /Rr /Ww /E /V3 /P161 /A /B /Cten /L2",
         {{N, "n"}, {I, "10.0.0.5"}, {R, "r"}, {W, "w"}, {V, "3"}, {C, "ten"}, {L, "2"}}},
        // Bytes that are no ASCII are passed through.
        {"/N\xc3\xa4 /I10.0.0.5 /R\xff\xfe\x80 /W\x01\x7f",
         {{N, "\xc3\xa4"}, {I, "10.0.0.5"}, {R, "\xff\xfe\x80"}, {W, "\x01\x7f"}}},
        // Odd lines are read without harm.
        {"/Nx /I", {{N, "x"}}}, // "/I" at the very end
        {"/Nx /I10.0.0.5/", {{N, "x"}, {I, "10.0.0.5"}}},
        {"/Nx /I10.0.0.5 /", {{N, "x"}, {I, "10.0.0.5"}}},
        {"/I10.0.0.5", {{N, "10.0.0.5"}}}, // the first field is always field 1
        {"/Nx/I1.2.3.4", {{N, "x"}, {I, "1.2.3.4"}}},
        {std::string("/N\0x /I1\0.2", 11),
         {{N, std::string("\0x", 2)}, {I, std::string("1\0.2", 4)}}}};
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseCommandLine(c.line)), Expected(c)) << '"' << c.line << '"';
    }
    for (const char* line : {"", "/", "/I", "I", "//", "/I/", "   "}) {
        EXPECT_EQ(Describe(ParseCommandLine(line)), Describe(S())) << '"' << line << '"';
    }
    // Version 3 skips fields 8 and 9, reads 10 to 16 and nothing after them.
    EXPECT_EQ(Describe(ParseCommandLine(
                  "/Nn /I10.0.0.5 /Rr /Ww /Etrue /V3 /P1161 /Aeight /Bnine /Cten /L3 /Uuser /Xauth "
                  "pass /Ypriv /M2 /D2 /Zseventeen /Zeighteen")),
              "E|n|10.0.0.5|r|w|3|1161|ten|3|user|authpass|priv|2|2|3000");

    // Only upper or lower case TRUE allows VLAN editing.
    for (const char* text : {"TRUE", "true", "True", "tRUE", "1", "yes", "TRUE1", ""}) {
        const Case c{std::string("/N /I1.2.3.4 /R /W /E") + text,
                     {{I, "1.2.3.4"}},
                     text == std::string("TRUE") || text == std::string("true")};
        EXPECT_EQ(Describe(ParseCommandLine(c.line)), Expected(c)) << text;
    }
}

TEST(CommandLineTest, ArgumentsAreJoinedWithSingleBlanks) {
    const char* const none[] = {"ksx-module"};
    EXPECT_EQ(JoinCommandLine(1, none), "");
    // A shell splits "/R read comm" into three arguments; the blanks vanish anyway.
    const char* const args[] = {"ksx-module", "/Nn", "/I10.0.0.5", "/R", "read", "comm", "/W"};
    const std::string line = JoinCommandLine(7, args);
    EXPECT_EQ(line, "/Nn /I10.0.0.5 /R read comm /W");
    EXPECT_EQ(ParseCommandLine(line).ReadCommunity, "readcomm");
}

class IniFileTest : public testing::Test {
protected:
    QString Write(const QByteArray& content) {
        const QString path = m_dir.filePath(QString("User%1.ini").arg(++m_files));
        EXPECT_TRUE(testsupport::WriteFile(path.toStdString(), content.toStdString()));
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

struct Read {
    const char* section;
    const char* key;
    QString expected;
    QString defaultValue = QString("dflt");
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
          {"DeviceInfo", "DeviceName", " a b", QString(" a b  ")}}},
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
          {"S", "F", ""}}}};
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
    const std::pair<const char*, int> cases[] = {
        {"deviceportnum", 52}, {"Missing", 28}, {"Trailing", 102}, {"Word", 0},
        {"Empty", 0},          {"Negative", 0}, {"Huge", INT_MAX}, {"Quoted", 20}};
    for (const auto& [key, value] : cases) {
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
