// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The SNMP agent dialogs against ksx-sim: the five table dialogs share one shape (the last
// row the switch takes, one more refused, an entry twice, removal), then what only one
// dialog does: a refused creation step, bob twice, host addresses, names in UTF-8, the
// engine ID, the global state and the trap switches of a PoE and a plain model.
#include "features/common/IpAddressEdit.h"
#include "features/snmp_agent/SnmpScalarDialog.h"
#include "features/snmp_agent/SnmpTableDialog.h"
#include "platform/Trace.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

using testsupport::Choose;
using testsupport::Click;
using testsupport::DialogFixture;
using testsupport::Find;
using testsupport::SimFixture;
using testsupport::Type;
using testsupport::WaitUntil;

const std::string B = "1.3.6.1.4.1.99999.10.76.17.25";

std::string Arcs(const std::string& text) {
    std::string arcs = "." + std::to_string(text.size());
    for (unsigned char c : text) {
        arcs += "." + std::to_string(c);
    }
    return arcs;
}

struct TableCase {
    const char* name;
    std::function<std::unique_ptr<CSnmpTableDlg>()> make;
    int max;
    const char* maxMessage;
    const char* existsMessage;
    const char* selectMessage;
    std::function<std::string(int k)> preload; // snmprec line of a row made beforehand
    std::function<bool(QWidget* dialog, int k)> enter;
    std::string firstStatusOid;          // of entry 1
    std::vector<std::string> firstCells; // the first cells of entry 1's row
};

void PrintTo(const TableCase& table, std::ostream* out) {
    *out << table.name;
}

template <class Dialog> std::function<std::unique_ptr<CSnmpTableDlg>()> Maker() {
    return [] { return std::make_unique<Dialog>(); };
}

bool SetHost(QWidget* dialog, const QString& address) {
    auto* edit = Find<CIpAddressEdit>(dialog, "hostAddress");
    if (edit == nullptr) {
        return false;
    }
    edit->SetAddress(address);
    return true;
}

const TableCase kTables[] = {
    {"Community",
     Maker<CSnmpCommunityDlg>(),
     10,
     "Maximum number of Community Entry is 10.",
     "This Community Entry already exists.",
     "Please select the item would be delete!\n",
     [](int k) { return B + ".5.1.1.3" + Arcs("p" + std::to_string(k)) + "|2|1"; },
     [](QWidget* d, int k) {
         return Type(d, "communityNameEdit", QStringLiteral("cmty%1").arg(k, 2, 10, QChar('0')));
     },
     B + ".5.1.1.3" + Arcs("cmty01"),
     {"cmty01"}},
    {"User",
     Maker<CSnmpUserDlg>(),
     50,
     "Maximum number of User Entry is 50.",
     "This User Entry already exists.",
     "Please select the item would be delete!\n",
     [](int k) { return B + ".2.1.1.8" + Arcs("p" + std::to_string(k)) + ".1|2|1"; },
     [](QWidget* d, int k) {
         return Type(d, "userNameEdit",
                     k == 1 ? QStringLiteral("bob") : QStringLiteral("u%1").arg(k)) &&
                Type(d, "groupNameEdit", "admins") && Choose(d, "versionCombo", "V3");
     },
     B + ".2.1.1.8.3.98.111.98.3",
     {"bob", "admins", "V3"}},
    {"Group",
     Maker<CSnmpGroupDlg>(),
     50,
     "Maximum number of Group Entry is 50.",
     "This Group Entry already exists.",
     "Please select the item would be delete!\n",
     [](int k) { return B + ".3.1.1.7" + Arcs("p" + std::to_string(k)) + ".1.1|2|1"; },
     [](QWidget* d, int k) {
         return Type(d, "groupNameEdit", QStringLiteral("g%1").arg(k)) &&
                Type(d, "readViewEdit", "all") && Choose(d, "modelCombo", "v3") &&
                Choose(d, "levelCombo", "AuthNoPriv");
     },
     B + ".3.1.1.7.2.103.49.3.2",
     {"g1", "all"}},
    {"View",
     Maker<CSnmpViewDlg>(),
     50,
     "Maximum number of View Entry is 50.",
     "This View Entry already exist.",
     "Please Selecte the Item you would delete",
     [](int k) { return B + ".4.1.1.5" + Arcs("p" + std::to_string(k)) + ".2.1.3|2|1"; },
     [](QWidget* d, int k) {
         return Type(d, "viewNameEdit",
                     k == 1 ? QStringLiteral("all") : QStringLiteral("v%1").arg(k)) &&
                Type(d, "subtreeEdit", "1.3.6") && Type(d, "maskEdit", "1.1");
     },
     B + ".4.1.1.5.3.97.108.108.3.1.3.6",
     {"all", "1.3.6", "1.1"}},
    {"Host",
     Maker<CSnmpHostDlg>(),
     10,
     "Maximum number of Host Entry is 10.",
     "This IP Address has used,please enter other IP Address",
     "Please Selecte the Item you would delete",
     [](int k) { return B + ".6.1.1.4.10.0.0." + std::to_string(k) + "|2|1"; },
     [](QWidget* d, int k) {
         return SetHost(d, QStringLiteral("172.16.0.%1").arg(k)) &&
                Type(d, "hostNameEdit", "public");
     },
     B + ".6.1.1.4.172.16.0.1",
     {"172.16.0.1", "V1", "public"}},
};

class SnmpAgentTest : public DialogFixture {
protected:
    void Restart(const std::string& model, const std::vector<std::string>& lines = {}) {
        SimFixture::Options options;
        options.model = model;
        if (!lines.empty()) {
            options.arguments = DataArguments(lines);
        }
        ASSERT_TRUE(StartSimulator(options));
    }

    template <class Dialog> std::unique_ptr<Dialog> Shown(std::unique_ptr<Dialog> dialog) {
        EXPECT_TRUE(testsupport::ShowActive(dialog.get()));
        EXPECT_TRUE(WaitUntil([&] { return !dialog->IsBusy(); }));
        return dialog;
    }

    static bool Applied(CSnmpTableDlg& dialog) {
        return Click(&dialog, "applyButton") && WaitUntil([&] { return !dialog.IsBusy(); });
    }

    // The texts of one column of the list.
    static std::vector<std::string> Column(const CSnmpTableDlg& dialog, int column) {
        std::vector<std::string> cells;
        for (int row = 0; row < dialog.List()->RowCount(); ++row) {
            cells.push_back(dialog.List()->Cell(row, column).toStdString());
        }
        return cells;
    }

    static bool ClickRow(CSnmpTableDlg& dialog, int row) {
        QTreeWidgetItem* item = dialog.List()->topLevelItem(row);
        if (item == nullptr) {
            return false;
        }
        QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          dialog.List()->visualItemRect(item).center());
        return dialog.List()->SelectedRow() == row;
    }

    static bool MatchesRow(const CSnmpTableDlg& dialog, int row,
                           const std::vector<std::string>& cells) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (dialog.List()->Cell(row, static_cast<int>(column)).toStdString() != cells[column]) {
                return false;
            }
        }
        return true;
    }

    // "OID = TYPE: VALUE" of every binding of every set since the last call.
    std::vector<std::string> SetBindings() {
        std::vector<std::string> all;
        for (const auto& record : TakeSets()) {
            for (std::string& binding : Bindings(record)) {
                all.push_back(binding + " (" + record.result + ")");
            }
        }
        return all;
    }
};

class TableShapeTest : public SnmpAgentTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableShapeTest, TakesTheLastRowAndRefusesOneMoreWithoutARequest) {
    const TableCase& table = GetParam();
    const int present = Shown(table.make())->List()->RowCount();
    std::vector<std::string> lines;
    for (int k = 1; k < table.max - present; ++k) {
        lines.push_back(table.preload(k));
    }
    Restart("KSX-7700-52", lines);
    auto dialog = Shown(table.make());
    ASSERT_EQ(dialog->List()->RowCount(), table.max - 1);

    ASSERT_TRUE(table.enter(dialog.get(), 1));
    ASSERT_TRUE(Applied(*dialog));
    EXPECT_TRUE(messages.TakeTexts().empty());
    const auto sets = SetBindings();
    ASSERT_GE(sets.size(), 3u);
    EXPECT_EQ(sets.front(), table.firstStatusOid + " = INTEGER: 5 (noError)");
    EXPECT_EQ(sets.back(), table.firstStatusOid + " = INTEGER: 1 (noError)");
    EXPECT_EQ(dialog->List()->RowCount(), table.max);

    ASSERT_TRUE(table.enter(dialog.get(), 2));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{table.maxMessage});
    EXPECT_TRUE(TakeSets().empty());
}

TEST_P(TableShapeTest, RefusesAnEntryTwiceAndRemovesThePickedRow) {
    const TableCase& table = GetParam();
    auto dialog = Shown(table.make());
    const int before = dialog->List()->RowCount();
    ASSERT_TRUE(table.enter(dialog.get(), 1));
    ASSERT_TRUE(Applied(*dialog));
    ASSERT_EQ(dialog->List()->RowCount(), before + 1);
    TakeSets();
    ASSERT_TRUE(table.enter(dialog.get(), 1));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    EXPECT_EQ(messages.TakeTexts(),
              (std::vector<std::string>{table.existsMessage, table.selectMessage}));
    EXPECT_TRUE(TakeSets().empty());

    int row = 0;
    while (row < dialog->List()->RowCount() && !MatchesRow(*dialog, row, table.firstCells)) {
        ++row;
    }
    ASSERT_TRUE(ClickRow(*dialog, row));
    ASSERT_TRUE(Click(dialog.get(), "deleteButton"));
    ASSERT_TRUE(WaitUntil([&] { return !dialog->IsBusy(); }));
    EXPECT_EQ(SetBindings(),
              std::vector<std::string>{table.firstStatusOid + " = INTEGER: 6 (noError)"});
    EXPECT_EQ(dialog->List()->RowCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Tables, TableShapeTest, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
