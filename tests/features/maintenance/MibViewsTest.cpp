// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The public MIB views against ksx-sim: the rows a dialog shows, compared with the same table
// as Net-SNMP's snmpwalk reads it, independently of the program's own SNMP layer.
#include "features/maintenance/ForwardingTableDialog.h"
#include "features/maintenance/InterfaceTableDialog.h"
#include "features/maintenance/IpTableDialog.h"
#include "features/maintenance/SystemInfoDialog.h"
#include "features/maintenance/TcpServiceDialog.h"
#include "features/maintenance/UdpServiceDialog.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace testsupport;
using Rows = TextRows;

// One line of snmpwalk -On -Oq output: the instance OID and the value.
struct WalkedValue {
    std::string oid;
    std::string value;
};

std::vector<WalkedValue> Snmpwalk(const std::string& peer, const std::string& column) {
    const std::string output =
        RunCommand("MIBS= " + FindProgram("snmpwalk") + " -v2c -c guests -On -Oq -Ot -Oe " + peer +
                   " " + column + " 2>/dev/null");
    std::vector<WalkedValue> values;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto blank = line.find(' ');
        if (line.empty() || line.front() != '.' || blank == std::string::npos) {
            continue;
        }
        values.push_back({line.substr(1, blank - 1), line.substr(blank + 1)});
    }
    return values;
}

// The index of a walked instance below `column`.
std::string IndexOf(const WalkedValue& value, const std::string& column) {
    return value.oid.substr(column.size() + 1);
}

// The interface table as snmpwalk reads it and the dialog shows it: index, status, speed in
// whole megabits.
Rows InterfacesBySnmpwalk(const std::string& peer) {
    const auto index = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.1");
    const auto status = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.8");
    const auto speed = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.5");
    Rows rows;
    for (std::size_t i = 0; i < index.size() && i < status.size() && i < speed.size(); ++i) {
        const std::string& s = status[i].value;
        rows.push_back({index[i].value,
                        s == "1"   ? "Connected"
                        : s == "2" ? "UnConnected"
                        : s == "3" ? "Test"
                                   : "Unknown",
                        std::to_string(std::stoull(speed[i].value) / 1000000) + "M"});
    }
    return rows;
}

const std::string kFdbPort = "1.3.6.1.2.1.17.7.1.2.2.1.2";
const std::string kFdbStatus = "1.3.6.1.2.1.17.7.1.2.2.1.3";

// "00-1A-2B-00-00-FA" of a forwarding-table index: the database id, then the six bytes.
std::string MacOfArcs(const std::string& index) {
    unsigned b[6] = {};
    std::sscanf(index.c_str(), "%*u.%u.%u.%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]);
    char mac[18];
    std::snprintf(mac, sizeof mac, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    return mac;
}

class ForwardingTableTest : public testsupport::DialogFixture {
protected:
    // 250 entries in 100 filtering databases: ids 1 to 100 (one, two and three digits), and
    // one static entry in database 10 given as overlay data.
    SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52",
                {"--fdb", "250", "--fdb-ids", "100", "--data",
                 DataArguments({kFdbPort + ".10.0.17.34.51.68.85|2|7",
                                kFdbStatus + ".10.0.17.34.51.68.85|2|5"})
                     .back()}};
    }

    // The whole table as the dialog must show it, from snmpwalk: ID, port, MAC, status.
    Rows ExpectedEntries() {
        const auto ports = Snmpwalk(sim.Peer(), kFdbPort);
        const auto states = Snmpwalk(sim.Peer(), kFdbStatus);
        EXPECT_EQ(ports.size(), states.size());
        Rows rows;
        const char* names[] = {"", "Other", "Invalid", "Learn", "Own", "Static"};
        for (std::size_t i = 0; i < ports.size() && i < states.size(); ++i) {
            rows.push_back({std::to_string(i + 1), ports[i].value,
                            MacOfArcs(IndexOf(ports[i], kFdbPort)),
                            names[std::stoi(states[i].value)]});
        }
        return rows;
    }

    static Rows Slice(const Rows& rows, std::size_t first, std::size_t last) {
        return Rows(rows.begin() + static_cast<long>(first - 1),
                    rows.begin() + static_cast<long>(last));
    }
};

TEST_F(ForwardingTableTest, PagesOfAHundredWithBackAndNextShowEveryEntryOfAnyDatabaseId) {
    auto dialog = OpenRead<CForwardingTableDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Forwarding Table"));
    const Rows all = ExpectedEntries();
    ASSERT_EQ(all.size(), 251u);
    EXPECT_EQ(dialog->EntryCount(), 251);
    EXPECT_TRUE(Find<QLineEdit>(dialog.get(), "agingTimeEdit")->isReadOnly());
    const auto index = IndexOf(Snmpwalk(sim.Peer(), kFdbPort + ".100").front(), kFdbPort);
    EXPECT_EQ(index.rfind("100.0.26.43.", 0), 0u) << index;

    // Through the pages: what Back or Next shows (every row, the static one and those of
    // databases 10 and 100 included), and whether Back and Next can be clicked.
    struct Step {
        const char* click;
        std::size_t first, last;
        bool back, next;
    };
    for (const Step& step :
         {Step{nullptr, 1, 100, false, true}, Step{"nextButton", 101, 200, true, true},
          Step{"nextButton", 201, 251, true, false}, Step{"backButton", 101, 200, true, true},
          Step{"backButton", 1, 100, false, true}}) {
        SCOPED_TRACE(step.first);
        ASSERT_TRUE(step.click == nullptr || Click(dialog.get(), step.click));
        EXPECT_EQ(ListRows(dialog->List()), Slice(all, step.first, step.last));
        EXPECT_EQ(ButtonEnabled(dialog.get(), "backButton"), step.back);
        EXPECT_EQ(ButtonEnabled(dialog.get(), "nextButton"), step.next);
    }

    // Refresh starts over on the first page.
    ASSERT_TRUE(Click(dialog.get(), "nextButton") && Click(dialog.get(), "refreshButton") &&
                WaitForButton(dialog.get()));
    EXPECT_EQ(dialog->FirstShownId(), 1);
    EXPECT_EQ(ListRows(dialog->List()), Slice(all, 1, 100));
}

// Find lists the entries of the whole table whose address starts with what it holds, with
// their port and database id, however the octets are written.
TEST_F(ForwardingTableTest, FindListsTheMatchingEntriesOfTheWholeTable) {
    auto dialog = OpenRead<CForwardingTableDlg>();
    const Rows all = ExpectedEntries();
    const auto ports = Snmpwalk(sim.Peer(), kFdbPort);
    ASSERT_EQ(ports.size(), all.size());
    // ID, port, database id (the index's first arc), MAC, status of the entries that match.
    const auto expected = [&](const std::string& macPrefix) {
        Rows rows;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string index = IndexOf(ports[i], kFdbPort);
            if (all[i][2].starts_with(macPrefix)) {
                rows.push_back(
                    {all[i][0], all[i][1], index.substr(0, index.find('.')), all[i][2], all[i][3]});
            }
        }
        return rows;
    };
    ASSERT_EQ(expected("00-1A-2B").size(), 250u);
    for (const auto& [typed, prefix] :
         std::vector<std::pair<const char*, std::string>>{{"00-11-22", "00-11-22"},
                                                          {"0:11:22:33:44:55", "00-11-22-33-44-55"},
                                                          {"001a2b", "00-1A-2B"},
                                                          {"00:1a:2B:", "00-1A-2B"},
                                                          {"00-1A-2B-3C-4D-5E-6F", ""},
                                                          {"00-1G", ""},
                                                          {"00--1A", ""},
                                                          {"", ""}}) {
        SCOPED_TRACE(typed);
        ASSERT_TRUE(Type(dialog.get(), "findEdit", QString::fromLatin1(typed)));
        EXPECT_EQ(dialog->FindList()->isVisible(), !prefix.empty()); // empty: no list
        EXPECT_EQ(ListRows(dialog->FindList()), prefix.empty() ? Rows{} : expected(prefix));
    }
    EXPECT_EQ(ListRows(dialog->List()), Slice(all, 1, 100)); // the page stays as it was
}

TEST_F(ForwardingTableTest, OnePageOrNoneHasNeitherBackNorNextAndAgingTimeComesAlong) {
    struct Case {
        std::vector<std::string> arguments;
        int rows;
        const char* agingTime;
    };
    for (const Case& c :
         {Case{{"--fdb", "100"}, 100, "300"}, Case{{"--fdb", "0"}, 0, "300"},
          Case{{"--fdb", "3", "--data", DataArguments({"1.3.6.1.2.1.17.4.2.0|2|45"}).back()},
               3,
               "45"}}) {
        SCOPED_TRACE(c.rows);
        ASSERT_TRUE(StartSimulator({"KSX-7700-52", c.arguments}));
        auto dialog = OpenRead<CForwardingTableDlg>();
        EXPECT_EQ(dialog->List()->RowCount(), c.rows);
        EXPECT_FALSE(ButtonEnabled(dialog.get(), "nextButton"));
        EXPECT_FALSE(ButtonEnabled(dialog.get(), "backButton"));
        EXPECT_EQ(Find<QLineEdit>(dialog.get(), "agingTimeEdit")->text(),
                  QString::fromLatin1(c.agingTime));
    }
}

const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";

// A switch that has been up 100 hours, with a name and location in UTF-8.
class SystemInfoTest : public testsupport::DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52",
                DataArguments({
                    "1.3.6.1.2.1.1.3.0|67|36000000",
                    kSysName + "|4x|5ac3bc72696368204c616e67737472c3a4737365", // Zürich Langsträsse
                    kSysLocation + "|4x|48616c6c6520c3a9737420c2a7",           // Halle ést §
                    "1.3.6.1.2.1.1.4.0|4|noc desk",
                })};
    }

    // Types text that the test library's key table does not know, character by character,
    // as a keyboard with those keys would.
    static bool TypeText(const QWidget* dialog, const char* name, const QString& text) {
        auto* edit = Find<QLineEdit>(dialog, QString::fromLatin1(name));
        if (edit == nullptr || !Type(dialog, QString::fromLatin1(name), QString())) {
            return false;
        }
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        }
        return edit->text() == text;
    }

    static QString TextOf(const QWidget* dialog, const char* name) {
        if (auto* edit = Find<QLineEdit>(dialog, QString::fromLatin1(name))) {
            return edit->text();
        }
        return {};
    }
};

TEST_F(SystemInfoTest, ShowsTheSystemGroupRefusesForbiddenCharactersAndSetsUtf8Texts) {
    auto dialog = OpenRead<CSystemInfoDlg>();
    EXPECT_EQ(
        (QStringList{dialog->windowTitle(), Find<QLabel>(dialog.get(), "descriptionText")->text(),
                     Find<QLabel>(dialog.get(), "objectIdText")->text(),
                     Find<QLabel>(dialog.get(), "upTimeText")->text(),
                     TextOf(dialog.get(), "contactEdit"), TextOf(dialog.get(), "nameEdit"),
                     TextOf(dialog.get(), "locationEdit")}),
        (QStringList{"System Information", "KSX-7700-52 L2 Managed Ethernet Switch",
                     "1.3.6.1.4.1.99999.10.76.17", "100 Hour 0 Min", "noc desk",
                     QString::fromUtf8("Zürich Langsträsse"), QString::fromUtf8("Halle ést §")}));

    // Forbidden characters are refused in order (the name first) and nothing is sent.
    ASSERT_TRUE(Type(dialog.get(), "nameEdit", "core.sw1") &&
                Type(dialog.get(), "locationEdit", "hall/2"));
    EXPECT_TRUE(Refuses(dialog.get(), {"Invalid System Name."}));
    EXPECT_EQ(TextOf(dialog.get(), "locationEdit"), QStringLiteral("hall/2"));

    // A valid set sends name and location as UTF-8 in one request.
    ASSERT_TRUE(TypeText(dialog.get(), "nameEdit", QString::fromUtf8("Köln Süd-2")) &&
                Type(dialog.get(), "locationEdit", QStringLiteral("Rack 4 - Row B")) &&
                Type(dialog.get(), "contactEdit", QStringLiteral("someone else")));
    EXPECT_TRUE(Press(dialog.get()).empty());
    EXPECT_EQ(Sets(), (std::vector<Texts>{{kSysName + " = OCTET STRING: 0x4bc3b66c6e2053c3bc642d32",
                                           kSysLocation + " = OCTET STRING: Rack 4 - Row B"}}));
    EXPECT_TRUE(trace.Contains("set status = 0"));
    // What the switch now holds reads back as typed.
    ASSERT_TRUE(Click(dialog.get(), "refreshButton") && WaitForButton(dialog.get()));
    EXPECT_EQ((QStringList{TextOf(dialog.get(), "nameEdit"), TextOf(dialog.get(), "contactEdit")}),
              (QStringList{QString::fromUtf8("Köln Süd-2"), "noc desk"}));

    // A name is cut to its first 256 characters.
    Find<QLineEdit>(dialog.get(), "nameEdit")->setText(QString(300, QChar(0x00e9))); // 2 bytes
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]).front(),
              kSysName + " = OCTET STRING: 0x" + std::string(QByteArray("c3a9").repeated(256)));

    // A read without an answer keeps what was typed and gives the buttons back.
    ASSERT_TRUE(Type(dialog.get(), "nameEdit", "typed"));
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    const bool ended = WaitForButton(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ended);
    EXPECT_TRUE(ButtonEnabled(dialog.get(), "applyButton"));
    EXPECT_EQ(TextOf(dialog.get(), "nameEdit"), QStringLiteral("typed"));

    // 5 h 7 min 59.99 s: the seconds are cut off, never rounded up.
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", DataArguments({"1.3.6.1.2.1.1.3.0|67|1847999"})}));
    dialog = OpenRead<CSystemInfoDlg>();
    EXPECT_EQ(Find<QLabel>(dialog.get(), "upTimeText")->text(), QStringLiteral("5 Hour 7 Min"));
}

const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5";
const std::string kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";

// A 52-port switch with a few interfaces of unusual speed and state.
class TableViewsTest : public testsupport::DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52",
                DataArguments({kIfSpeed + ".1|66|10000", kIfSpeed + ".2|66|100000000",
                               kIfSpeed + ".3|66|4294967295", kIfOperStatus + ".3|2|7",
                               kIfOperStatus + ".4|2|3"})};
    }
};

TEST_F(TableViewsTest, InterfaceTableShowsStatusAndWholeMegabitsAndCountsItsRowsAfresh) {
    auto dialog = OpenRead<CInterfaceTableDlg>();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Interface Table"));
    EXPECT_EQ(ListHeaders(dialog->List()), (Texts{"  Index          ", "  Link Status             ",
                                                  "  Speed(b/s)                      "}));
    const Rows rows = ListRows(dialog->List());
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ((Texts{rows[0][2], rows[1][2], rows[2][2], rows[2][1], rows[3][1]}),
              (Texts{"0M", "100M", "4294M", "Unknown", "Test"}));
    // Every interface the switch has, as snmpwalk sees it.
    const Rows expected = InterfacesBySnmpwalk(sim.Peer());
    EXPECT_EQ(expected.size(), 54u); // 52 ports, the processor and VLAN 1
    EXPECT_EQ(rows, expected);
    auto* counter = Find<QLineEdit>(dialog.get(), "rowCountEdit");
    EXPECT_EQ(counter->text().toStdString(), std::to_string(expected.size()));

    // The row counter starts at zero again on Refresh.
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    EXPECT_EQ(counter->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog->List()->RowCount(), 0);
    sim.Resume();
    ASSERT_TRUE(WaitForButton(dialog.get()));
    EXPECT_EQ(counter->text(), QStringLiteral("54"));
}

TEST_F(TableViewsTest, IpTcpAndUdpTablesShowTheirCaptionHeadersAndRowsOrThoseOfAWalkCutShort) {
    struct View {
        std::unique_ptr<CPublicMibTableDialog> dialog;
        std::string caption;
        Texts headers;
        Rows rows;
    };
    View views[] = {
        {OpenRead<CIpTableDlg>(),
         "IP Table : " + sim.Address(),
         {" IP                ", " Netmask               "},
         {{"127.0.0.1", "255.0.0.0"}, {"192.0.2.10", "255.255.255.0"}}},
        {OpenRead<CTcpServiceDlg>(),
         "TCP Service",
         {"Local Port ", " Local IP        ", " Remote IP       ", "Remote Port", " Status "},
         {{"23", "0.0.0.0", "0.0.0.0", "0", "listen"},
          {"80", "0.0.0.0", "0.0.0.0", "0", "listen"},
          {"23", "192.0.2.10", "192.0.2.50", "51234", "established"},
          {"80", "192.0.2.10", "192.0.2.51", "40000", "timeWait"}}},
        {OpenRead<CUdpServiceDlg>(),
         "UDP Service",
         {"  Local Port ", "  Local IP      "},
         {{"67", "0.0.0.0"}, {"69", "0.0.0.0"}, {"161", "0.0.0.0"}, {"514", "0.0.0.0"}}},
    };
    for (const View& view : views) {
        SCOPED_TRACE(view.caption);
        EXPECT_EQ(view.dialog->windowTitle().toStdString(), view.caption);
        EXPECT_EQ(ListHeaders(view.dialog->List()), view.headers);
        EXPECT_EQ(ListRows(view.dialog->List()), view.rows);
    }

    // A walk that times out keeps the rows it has and ends.
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", {"--drop-after", "2"}}));
    auto late = OpenRead<CUdpServiceDlg>();
    EXPECT_EQ(late->List()->RowCount(), 2);
    EXPECT_TRUE(trace.Contains("call back iStatus = -1"));
}

} // namespace
