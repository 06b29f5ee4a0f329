// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The SNMP agent dialogs against ksx-sim: the five table dialogs share one shape (the last
// row the switch takes, one more refused, an entry twice, removal), then what only one
// dialog does: a refused creation step, bob twice, host addresses, names in UTF-8, the
// engine ID, the global state and the trap switches of a PoE and a plain model.
#include "features/common/IpAddressEdit.h"
#include "features/common/Messages.h"
#include "features/snmp_agent/SnmpEngineIdDialog.h"
#include "features/snmp_agent/SnmpGlobalStateDialog.h"
#include "features/snmp_agent/SnmpTableDialog.h"
#include "features/snmp_agent/SnmpTrapDialog.h"
#include "tests/features/security/SecurityTestSupport.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>

namespace {

using namespace testsupport;

const std::string B = "1.3.6.1.4.1.99999.10.76.17.25";

std::string Arcs(const std::string& text) {
    std::string arcs = "." + std::to_string(text.size());
    for (unsigned char c : text) {
        arcs += "." + std::to_string(c);
    }
    return arcs;
}

bool SetHost(QWidget* dialog, const QString& address) {
    auto* edit = Find<CIpAddressEdit>(dialog, "hostAddress");
    if (edit == nullptr) {
        return false;
    }
    edit->SetAddress(address);
    return true;
}

// One dialog's table: entry k has the inputs (their "%1" is k) and the row index given.
struct TableCase {
    const char* name;
    std::function<std::unique_ptr<CSnmpTableDlg>()> make;
    int max;
    std::array<const char*, 3> texts; // at the most, an entry twice, nothing picked to delete
    std::string statusColumn;
    std::function<std::string(int k)> index;
    std::vector<std::pair<const char*, const char*>> inputs;
    std::vector<std::string> firstCells; // the first cells of entry 1's row

    std::string StatusOid(int k) const { return statusColumn + index(k); }
    bool Enter(QWidget* dialog, int k) const {
        for (const auto& [name, text] : inputs) {
            const QString typed = QString::fromLatin1(text).replace("%1", QString::number(k));
            QWidget* input = FindAny(dialog, QString::fromLatin1(name));
            if (!(qobject_cast<QComboBox*>(input)        ? Choose(dialog, name, typed)
                  : qobject_cast<CIpAddressEdit*>(input) ? SetHost(dialog, typed)
                                                         : Type(dialog, name, typed))) {
                return false;
            }
        }
        return true;
    }
};

void PrintTo(const TableCase& table, std::ostream* out) {
    *out << table.name;
}

template <class Dialog> std::function<std::unique_ptr<CSnmpTableDlg>()> Maker() {
    return [] { return std::make_unique<Dialog>(); };
}

const char* kPickOne = "Please select the item would be delete!\n";
const char* kPickTheOne = "Please Selecte the Item you would delete";

const TableCase kTables[] = {
    {"Community",
     Maker<CSnmpCommunityDlg>(),
     10,
     {"Maximum number of Community Entry is 10.", "This Community Entry already exists.", kPickOne},
     B + ".5.1.1.3",
     [](int k) { return Arcs("cmty" + std::to_string(k)); },
     {{"communityNameEdit", "cmty%1"}},
     {"cmty1"}},
    {"User",
     Maker<CSnmpUserDlg>(),
     50,
     {"Maximum number of User Entry is 50.", "This User Entry already exists.", kPickOne},
     B + ".2.1.1.8",
     [](int k) { return Arcs("u" + std::to_string(k)) + ".3"; },
     {{"userNameEdit", "u%1"}, {"groupNameEdit", "admins"}, {"versionCombo", "V3"}},
     {"u1", "admins", "V3"}},
    {"Group",
     Maker<CSnmpGroupDlg>(),
     50,
     {"Maximum number of Group Entry is 50.", "This Group Entry already exists.", kPickOne},
     B + ".3.1.1.7",
     [](int k) { return Arcs("g" + std::to_string(k)) + ".3.2"; },
     {{"groupNameEdit", "g%1"},
      {"readViewEdit", "all"},
      {"modelCombo", "v3"},
      {"levelCombo", "AuthNoPriv"}},
     {"g1", "all"}},
    {"View",
     Maker<CSnmpViewDlg>(),
     50,
     {"Maximum number of View Entry is 50.", "This View Entry already exist.", kPickTheOne},
     B + ".4.1.1.5",
     [](int k) { return Arcs("v" + std::to_string(k)) + ".3.1.3.6"; },
     {{"viewNameEdit", "v%1"}, {"subtreeEdit", "1.3.6"}, {"maskEdit", "1.1"}},
     {"v1", "1.3.6", "1.1"}},
    {"Host",
     Maker<CSnmpHostDlg>(),
     10,
     {"Maximum number of Host Entry is 10.",
      "This IP Address has used,please enter other IP Address", kPickTheOne},
     B + ".6.1.1.4",
     [](int k) { return ".172.16.0." + std::to_string(k); },
     {{"hostAddress", "172.16.0.%1"}, {"hostNameEdit", "public"}},
     {"172.16.0.1", "V1", "public"}},
};

class SnmpAgentTest : public securitytest::SecurityFixture {
protected:
    template <class Dialog> std::unique_ptr<Dialog> Shown(std::unique_ptr<Dialog> dialog) {
        EXPECT_TRUE(testsupport::ShowActive(dialog.get()));
        EXPECT_TRUE(WaitUntil([&] { return !dialog->IsBusy(); }));
        return dialog;
    }

    static bool Applied(CSnmpTableDlg& dialog) {
        return Click(&dialog, "applyButton") && WaitUntil([&] { return !dialog.IsBusy(); });
    }
};

class TableShapeTest : public SnmpAgentTest, public ::testing::WithParamInterface<TableCase> {};

// The first cell as drawn has a grid line on its right and at its bottom.
bool DrawsGridLines(CReportList* list) {
    const QImage image = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    const QColor line(0xd0, 0xd0, 0xd0);
    return image.pixelColor(list->columnWidth(0) - 1, row.center().y()) == line &&
           image.pixelColor(list->columnWidth(0) / 2, row.bottom()) == line;
}

TEST_P(TableShapeTest, RefusesAnEntryTwiceRemovesThePickedRowAndTakesNoneBeyondTheLast) {
    const TableCase& table = GetParam();
    auto dialog = Shown(table.make());
    const int present = dialog->List()->RowCount();
    ASSERT_TRUE(table.Enter(dialog.get(), 1) && Applied(*dialog));
    ASSERT_EQ(dialog->List()->RowCount(), present + 1);
    EXPECT_TRUE(DrawsGridLines(dialog->List()));
    TakeSets();
    ASSERT_TRUE(table.Enter(dialog.get(), 1) && Click(dialog.get(), "applyButton") &&
                Click(dialog.get(), "deleteButton"));
    EXPECT_EQ(messages.TakeTexts(), (Texts{table.texts[1], table.texts[2]}));
    EXPECT_TRUE(TakeSets().empty());

    const auto rows = ListRows(dialog->List());
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& cells) {
        return std::equal(table.firstCells.begin(), table.firstCells.end(), cells.begin());
    });
    ASSERT_TRUE(ClickRow(dialog->List(), static_cast<int>(row - rows.begin())) &&
                Click(dialog.get(), "deleteButton") &&
                WaitUntil([&] { return !dialog->IsBusy(); }));
    EXPECT_EQ(TakeBindings(true), Texts{table.StatusOid(1) + " = INTEGER: 6 noError"});
    EXPECT_EQ(dialog->List()->RowCount(), present);

    // A switch holding one row less than the most: the last row is taken, one more refused.
    std::vector<std::string> lines;
    for (int k = 1; k < table.max - present; ++k) {
        lines.push_back(table.StatusOid(100 + k) + "|2|1");
    }
    Restart("KSX-7700-52", lines);
    dialog = Shown(table.make());
    ASSERT_EQ(dialog->List()->RowCount(), table.max - 1);
    ASSERT_TRUE(table.Enter(dialog.get(), 1) && Applied(*dialog));
    EXPECT_TRUE(messages.TakeTexts().empty());
    const auto sets = TakeBindings(true);
    ASSERT_GE(sets.size(), 3u);
    EXPECT_EQ((Texts{sets.front(), sets.back()}),
              (Texts{table.StatusOid(1) + " = INTEGER: 5 noError",
                     table.StatusOid(1) + " = INTEGER: 1 noError"}));
    EXPECT_EQ(dialog->List()->RowCount(), table.max);
    ASSERT_TRUE(table.Enter(dialog.get(), 2));
    EXPECT_TRUE(Refuses(dialog.get(), {table.texts[0]}));
}

INSTANTIATE_TEST_SUITE_P(Tables, TableShapeTest, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

bool Tick(QWidget* dialog, const char* objectName, bool ticked) {
    auto* check = Find<QCheckBox>(dialog, objectName);
    if (check == nullptr || !check->isEnabled()) {
        return false;
    }
    if (check->isChecked() != ticked) {
        QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2));
    }
    return check->isChecked() == ticked;
}

// Steps through a combo with the arrow keys, as from the keyboard (no list opens).
bool Pick(QWidget* dialog, const char* objectName, const QString& text) {
    auto* combo = Find<QComboBox>(dialog, objectName);
    if (combo == nullptr || !combo->isEnabled()) {
        return false;
    }
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < combo->count() && combo->currentText() != text; ++i) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    return combo->currentText() == text;
}

bool EnterUser(QWidget* d, const char* version, const char* password = nullptr,
               const char* name = "bob") {
    bool entered = Type(d, "userNameEdit", name) && Type(d, "groupNameEdit", "admins") &&
                   Pick(d, "versionCombo", version);
    if (password != nullptr) {
        entered = entered && Tick(d, "encryptedCheck", true) && Pick(d, "authCombo", "MD5") &&
                  Pick(d, "privCombo", "None") && Type(d, "authPasswordEdit", password);
    }
    return entered;
}

TEST_F(SnmpAgentTest, AddingCompletesAHalfMadeRowAndDestroysOnlyARowItMade) {
    // bob of V3 left half-made (notInService) by the switch's console.
    Restart("KSX-7700-52", {B + ".2.1.1.8.3.98.111.98.3|2|2"});
    auto dialog = Shown(std::make_unique<CSnmpUserDlg>());
    const int users = dialog->List()->RowCount();
    const auto results = [this] {
        std::vector<std::string> all;
        for (const auto& record : TakeSets()) {
            all.push_back(record.result);
        }
        return all;
    };
    const std::string refused = WriteFailureText(RequestStatus(8)).toStdString();
    // Not made by this add, so not destroyed after the password is refused.
    ASSERT_TRUE(EnterUser(dialog.get(), "V3", "short1") && Applied(*dialog));
    EXPECT_EQ(results(), (Texts{"inconsistentValue", "noError", "noError", "wrongLength"}));
    EXPECT_EQ(messages.TakeTexts(), Texts{refused});
    EXPECT_EQ(Find<QLineEdit>(dialog.get(), "userNameEdit")->text(), "bob"); // as typed
    ASSERT_TRUE(EnterUser(dialog.get(), "V3", "longenough1") && Applied(*dialog));
    EXPECT_EQ(results().back(), "noError");
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_EQ(dialog->List()->RowCount(), users + 1);
    // Made by this add: destroyed again after the refusal.
    ASSERT_TRUE(EnterUser(dialog.get(), "V3", "short1", "carl") && Applied(*dialog));
    EXPECT_EQ(results(), (Texts{"noError", "noError", "noError", "wrongLength", "noError"}));
    EXPECT_EQ(messages.TakeTexts(), Texts{refused});
    EXPECT_EQ(dialog->List()->RowCount(), users + 1);

    // Nothing is left to collide with: carl is made with a proper password; bob of V2c
    // beside bob of V3.
    ASSERT_TRUE(EnterUser(dialog.get(), "V3", "longenough1", "carl") && Applied(*dialog) &&
                EnterUser(dialog.get(), "V2c") && Applied(*dialog));
    EXPECT_TRUE(messages.TakeTexts().empty());
    TextRows bobs;
    for (const auto& row : ListRows(dialog->List())) {
        if (row.at(0) == "bob") {
            bobs.emplace_back(row.begin() + 1, row.begin() + 5);
        }
    }
    EXPECT_EQ(bobs, (TextRows{{"admins", "V2c", "None", "None"}, {"admins", "V3", "MD5", "None"}}));
    for (const std::string& line : trace.Lines()) {
        EXPECT_EQ(line.find("short1"), std::string::npos) << line;
        EXPECT_EQ(line.find("longenough1"), std::string::npos) << line;
    }
}

TEST_F(SnmpAgentTest, NamesRoundTripInUtf8) {
    auto dialog = Shown(std::make_unique<CSnmpGroupDlg>());
    const QString read = QString::fromUtf8("vue-\xC3\xA9\xC3\xBC");
    const QString notify = QString::fromUtf8("\xE2\x82\xAC-\xC3\xB1");
    // Typed as text: the test keyboard has no keys for these characters.
    ASSERT_TRUE(Type(dialog.get(), "groupNameEdit", "g2"));
    Find<QLineEdit>(dialog.get(), "readViewEdit")->setText(read);
    Find<QLineEdit>(dialog.get(), "notifyViewEdit")->setText(notify);
    ASSERT_TRUE(Applied(*dialog));
    const auto g2 = dialog->List()->findItems("g2", Qt::MatchExactly);
    ASSERT_EQ(g2.size(), 1);
    EXPECT_EQ((QStringList{g2[0]->text(1), g2[0]->text(3), g2[0]->text(5)}),
              (QStringList{read, notify, "NoAuthNoPriv"}));
}

TEST_F(SnmpAgentTest, CommunityPoliciesAreTheUsersOfV1AndV2cEngineIdAndGlobalStateApply) {
    auto communities = Shown(std::make_unique<CSnmpCommunityDlg>());
    auto* users = Find<QComboBox>(communities.get(), "userCombo");
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ((QStringList{users->itemText(0), users->itemText(1)}),
              (QStringList{"guests", "keepers"}));
    EXPECT_EQ(users->currentIndex(), 0);

    // The engine ID is of ten to sixty-four hex digits.
    auto engine = Shown(std::make_unique<CSnmpEngineIdDlg>());
    auto* edit = Find<QLineEdit>(engine.get(), "engineIdEdit");
    EXPECT_GE(edit->text().size(), 10);
    EXPECT_EQ(edit->text(), edit->text().toLower());
    ASSERT_TRUE(Type(engine.get(), "engineIdEdit", "12345678"));
    EXPECT_TRUE(Refuses(engine.get(), {"ID length is 10-64"}));
    ASSERT_TRUE(Type(engine.get(), "engineIdEdit", "123456789ABCDEF") &&
                Click(engine.get(), "applyButton"));
    ASSERT_EQ(TakeBindings(true).size(), 1u);
    EXPECT_EQ(edit->text(), "0123456789abcdef");

    // The global state is read, written and read again.
    auto dialog = Shown(std::make_unique<CSnmpGlobalStateDlg>());
    ASSERT_TRUE(Find<QCheckBox>(dialog.get(), "globalStateCheck")->isChecked());
    ASSERT_TRUE(Tick(dialog.get(), "globalStateCheck", false) &&
                Click(dialog.get(), "applyButton"));
    EXPECT_EQ(TakeBindings(true), Texts{B + ".1.0 = INTEGER: 2 noError"});
    Find<QCheckBox>(dialog.get(), "globalStateCheck")->setChecked(true);
    dialog = Shown(std::make_unique<CSnmpGlobalStateDlg>());
    EXPECT_FALSE(Find<QCheckBox>(dialog.get(), "globalStateCheck")->isChecked());
}

TEST_F(SnmpAgentTest, TrapSwitchesOfPoeOnlyOnAPoeModel) {
    for (const auto& [model, shown] : {std::pair{"KSX-7700-28P", 8}, {"KSX-7700-28", 5}}) {
        Restart(model);
        auto dialog = Shown(std::make_unique<CSnmpTrapDlg>());
        int visible = 0;
        for (int i = 1; i <= 8; ++i) {
            visible += Find<QCheckBox>(dialog.get(), QStringLiteral("trapCheck%1").arg(i))
                           ->isVisibleTo(dialog.get());
        }
        EXPECT_EQ(visible, shown) << model;
        ASSERT_TRUE(Tick(dialog.get(), "trapCheck2", false) && Click(dialog.get(), "applyButton"));
        const auto sets = TakeBindings(true);
        ASSERT_EQ(sets.size(), static_cast<std::size_t>(shown)) << model;
        EXPECT_EQ(sets[1], B + ".8.2.0 = INTEGER: 2 noError");
        EXPECT_EQ(sets.back(), B + ".8." + std::to_string(shown) + ".0 = INTEGER: 1 noError");
    }
}

TEST_F(SnmpAgentTest, RefusedInputsTakeTheFocusAndOnlyKnownRowStatusesAreSent) {
    auto hosts = Shown(std::make_unique<CSnmpHostDlg>());
    ASSERT_TRUE(SetHost(hosts.get(), "10.1.2.") && Type(hosts.get(), "hostNameEdit", "public"));
    EXPECT_TRUE(Refuses(hosts.get(), {"Invalid Host IP."}));
    EXPECT_TRUE(Find<CIpAddressEdit>(hosts.get(), "hostAddress")->Field(0)->hasFocus());

    auto dialog = Shown(std::make_unique<CSnmpUserDlg>());
    // MD5 is the first protocol offered.
    ASSERT_TRUE(EnterUser(dialog.get(), "V3") && Tick(dialog.get(), "encryptedCheck", true) &&
                Type(dialog.get(), "authPasswordEdit", QString(33, QLatin1Char('x'))));
    EXPECT_EQ(Press(dialog.get()), Texts{" MD5 Max. Password length is 32."});
    auto* password = Find<QLineEdit>(dialog.get(), "authPasswordEdit");
    EXPECT_TRUE(password->hasFocus());
    EXPECT_EQ(password->selectedText(), password->text());

    CSnmpAgentMib mib;
    for (const char* status : {"2", "3", "4", ""}) {
        trace.Clear();
        EXPECT_FALSE(mib.SetRowStatus(B + ".5.1.1.3.1.97", status));
        EXPECT_TRUE(trace.Contains("error istatus value!"));
    }
    EXPECT_TRUE(messages.TakeTexts().empty());
    EXPECT_TRUE(TakeSets().empty());
}

} // namespace
