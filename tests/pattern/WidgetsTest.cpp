// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/DialogKit.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureDialog.h"
#include "features/common/FromToPorts.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/NumberEdit.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "tests/support/DialogTesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using testsupport::Choose;
using testsupport::Find;

// A dialog that holds whatever a test puts into it.
struct CHostDialog : CFeatureDialog {
    using CFeatureDialog::ShowWaiting;
    template <class Widget> Widget* Hold(Widget* widget) {
        m_layout->addWidget(widget);
        return widget;
    }
    QVBoxLayout* m_layout = new QVBoxLayout(this);
};

// The hint balloon a number-only field shows, empty when none is shown.
QString Hint(const QLineEdit& edit) {
    const auto* balloon = edit.findChild<QLabel*>(QString("fieldHint"));
    return balloon != nullptr && balloon->isVisible() ? balloon->text() : QString();
}

class WidgetsTest : public ::testing::Test {
protected:
    void Open() {
        dialog.show();
        testsupport::ProcessEvents();
    }

    testsupport::MessageScript messages;
    CHostDialog dialog;
};

TEST_F(WidgetsTest, ReportListColumnsAreAsWideAsTheirHeadersPlus15) {
    auto* list = dialog.Hold(new CReportList(&dialog));
    list->SetColumns({QString("Index "), QString("OperMode  "), QString("OperMode")});
    const QFontMetrics metrics = list->header()->fontMetrics();
    EXPECT_EQ(list->columnWidth(0), metrics.horizontalAdvance(QString("Index ")) + 15);
    EXPECT_EQ(list->columnWidth(1), metrics.horizontalAdvance(QString("OperMode  ")) + 15);
    EXPECT_GT(list->columnWidth(1), list->columnWidth(2)); // trailing blanks widen a column
    EXPECT_TRUE(list->headerItem()->textAlignment(0) & Qt::AlignLeft);

    list->SetColumns(QList<ReportColumn>{{QString("VLAN ID"), 80},
                                         {QString("VLAN Name"), 120, Qt::AlignHCenter}});
    EXPECT_EQ(list->columnWidth(0), 80);
    EXPECT_EQ(list->columnWidth(1), 120);
    list->AddRow({QString("1"), QString("default")});
    EXPECT_TRUE(list->topLevelItem(0)->textAlignment(1) & Qt::AlignHCenter);
}

TEST_F(WidgetsTest, ReportListRowsAreChosenByClickAndByTheArrowKeys) {
    auto* list = dialog.Hold(new CReportList(&dialog));
    list->SetColumns({QString("Port "), QString("Speed ")});
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(list->AddRow({QString::number(row + 1), QString("Auto")}), row);
    }
    auto* before = dialog.Hold(new QLineEdit(&dialog));
    Open();
    QSignalSpy chosen(list, &CReportList::rowSelected);

    // Neither the keyboard focus, a reactivation, nor an arrow key without a picked row
    // picks one.
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(list->hasFocus());
    QFocusEvent reactivated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(list, &reactivated);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(list->SelectedRow(), -1);

    // Moving between rows by the arrow keys is checked by the port settings dialog.
    ASSERT_TRUE(testsupport::ClickRow(list, 0));
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(chosen.last().at(0).toInt(), 0);
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(0, QModelIndex())); // the whole row
    const qsizetype emitted = chosen.size();
    QTest::keyClick(list, Qt::Key_Up); // no row above the first
    EXPECT_EQ(chosen.size(), emitted);
    ASSERT_TRUE(testsupport::ClickRow(list, 3));
    QTest::keyClick(list, Qt::Key_Down); // nor below the last
    EXPECT_EQ(chosen.size(), emitted + 1);
    EXPECT_EQ(list->SelectedRow(), 3);
    EXPECT_EQ(list->Cell(0, 0), QString("1"));
    EXPECT_EQ(list->Cell(9, 0), QString());
}

TEST_F(WidgetsTest, ACutOffCellShowsItsWholeTextAsTooltip) {
    auto* list = dialog.Hold(new CReportList(&dialog));
    list->SetColumns(QList<ReportColumn>{{QString("VID"), 60}, {QString("Ports"), 60}});
    const QString ports = QString("1,2,3,4,5,6,7,8,9,10,11,12,13,14");
    list->AddRow({QString("1"), ports});
    Open();
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).topLeft();
    EXPECT_EQ(list->CutOffCellText(row + QPoint(65, 5)), ports);
    EXPECT_EQ(list->CutOffCellText(row + QPoint(5, 5)), QString());
}

TEST_F(WidgetsTest, IpAddressControlCountsItsFilledFields) {
    auto* address = dialog.Hold(new CIpAddressEdit(&dialog));
    address->setObjectName(QString("ipAddress"));
    ASSERT_TRUE(testsupport::ShowActive(&dialog));
    EXPECT_EQ(address->FilledFieldCount(), 0);
    address->setFocus();
    ASSERT_TRUE(testsupport::TypeKeys(QString("192.16")));
    EXPECT_EQ(address->FilledFieldCount(), 2);
    ASSERT_TRUE(testsupport::TypeKeys(QString("8.0"))); // a third digit moves on as well
    EXPECT_EQ(address->FilledFieldCount(), 3);
    EXPECT_EQ(address->Address(), QString("192.168.0.0"));
    // An octet above 255 is refused, never turned into another address; so is a letter.
    ASSERT_TRUE(testsupport::TypeKeys(QString(".300x")));
    EXPECT_EQ(address->Fields(), (std::array<int, 4>{192, 168, 0, 30}));
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{
                  "300 is not a valid entry. Please specify a value between 0 and 255."});
    EXPECT_EQ(Hint(*address->Field(3)), QString("You can only type a number here."));

    // Typed over a filled address, the "." after a third digit does not skip a field.
    address->SetAddress(QString("0.0.0.0"));
    address->Field(0)->setFocus();
    address->Field(0)->selectAll();
    ASSERT_TRUE(testsupport::TypeKeys(QString("192.0.2.77")));
    EXPECT_EQ(address->Address(), QString("192.0.2.77"));
    // A digit typed at a lone "0" takes its place.
    address->SetAddress(QString("10.0.0.1"));
    address->Field(1)->setFocus();
    address->Field(1)->end(false);
    ASSERT_TRUE(testsupport::TypeKeys(QString("5")));
    EXPECT_EQ(address->Address(), QString("10.5.0.1"));

    address->SetAddress(QString("10.1.999.2"));
    EXPECT_EQ(std::pair(address->FilledFieldCount(), address->Fields()),
              std::pair(3, std::array<int, 4>{10, 1, 0, 2}));
    address->Clear();
    EXPECT_EQ(address->FilledFieldCount(), 0);
}

TEST_F(WidgetsTest, PortGridsOfUpTo28PortsAreOneRowAndOf48And52PortsTwo) {
    EXPECT_EQ(std::tuple(CPortGrid::SecondRowStart(28), CPortGrid::SecondRowStart(48),
                         CPortGrid::SecondRowStart(52)),
              std::tuple(0, 25, 27));
    auto* grid = dialog.Hold(new CPortGrid(28, &dialog));
    auto* wide = dialog.Hold(new CPortGrid(52, &dialog));
    Open();
    EXPECT_EQ(grid->Button(1)->y(), grid->Button(28)->y());
    EXPECT_LT(grid->Button(1)->x(), grid->Button(28)->x());
    EXPECT_EQ(Find<QLabel>(grid, "portLabel28")->text(), QString("28"));
    EXPECT_TRUE(grid->Button(29) == nullptr && grid->Button(0) == nullptr);

    EXPECT_EQ(wide->Button(26)->y(), wide->Button(1)->y());
    EXPECT_GT(wide->Button(27)->y(), wide->Button(1)->y());
    EXPECT_EQ(wide->Button(27)->x(), wide->Button(1)->x());
}

// Check grids are read and set by the segmentation, IGMP, trunk and ARP dialogs.
TEST_F(WidgetsTest, RadioGridTakesOneChoicePerPortAndFlagsSetOnlyTheirPorts) {
    auto* grid = dialog.Hold(new CPortGrid({{QString("Tagged:"), QString("tagged")},
                                            {QString("Untagged:"), QString("untagged")},
                                            {QString("Not Member:"), QString("notMember")}},
                                           8, &dialog));
    Open();
    for (int port = 1; port <= 8; ++port) {
        grid->SetChoice(port, 2);
    }
    ASSERT_TRUE(testsupport::Click(grid, "tagged2"));
    ASSERT_TRUE(testsupport::Click(grid, "untagged5"));
    ASSERT_TRUE(testsupport::Click(grid, "tagged5")); // replaces Untagged for port 5 only
    EXPECT_EQ(std::tuple(grid->ChoiceOf(2), grid->ChoiceOf(5), grid->ChoiceOf(1)),
              std::tuple(0, 0, 2));
    EXPECT_EQ(grid->CheckedPorts(0), (PortFlags{0, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(grid->CheckedPorts(2), (PortFlags{1, 0, 1, 1, 0, 1, 1, 1}));
    grid->SetCheckedPorts(PortFlags{0, 0, 0, 1}, 1);
    EXPECT_EQ(grid->ChoiceOf(4), 1);
    EXPECT_EQ(grid->ChoiceOf(2), 0); // ports without a flag keep their choice
}

// The dialogs that use the pair check its message, its putting back, following and reset.
TEST_F(WidgetsTest, AToPortEqualToTheFromPortIsTakenWithoutAMessage) {
    CFromToPorts ports(&dialog, 28);
    dialog.Hold(ports.From());
    dialog.Hold(ports.To());
    Open();
    ASSERT_TRUE(Choose(ports.From(), "5"));
    ASSERT_TRUE(Choose(ports.To(), "5"));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(WidgetsTest, NumberEditTakesDigitsOnlyUpToItsLength) {
    auto* edit = dialog.Hold(new CNumberEdit(&dialog, 4));
    edit->setObjectName(QString("rate"));
    Open();
    EXPECT_FALSE(edit->Number().has_value());
    // A refused character is not dropped silently: the hint stays until the next digit.
    ASSERT_TRUE(testsupport::Type(&dialog, "rate", QString("1-")));
    EXPECT_EQ(Hint(*edit), QString("You can only type a number here."));
    ASSERT_TRUE(testsupport::Type(&dialog, "rate", QString("1a2-3 45")));
    EXPECT_EQ(edit->text(), QString("1234"));
    EXPECT_EQ(Hint(*edit), QString());
    EXPECT_EQ(edit->Number(), 1234);
}

TEST_F(WidgetsTest, ReadOnlyFieldsLookReadOnly) {
    for (const bool readOnly : {true, false}) {
        const QPalette colours = kit::Edit(&dialog, "field", readOnly)->palette();
        EXPECT_EQ(colours.color(QPalette::Base) == colours.color(QPalette::Window), readOnly);
    }
}

TEST_F(WidgetsTest, TheWaitingStateShowsWaitInEveryValueField) {
    auto* edit = dialog.Hold(new QLineEdit(QString("12"), &dialog));
    auto* label = dialog.Hold(new QLabel(QString("up"), &dialog));
    auto* combo = dialog.Hold(new QComboBox(&dialog));
    combo->addItems({QString("Enabled"), QString("Disabled")});
    Open();
    dialog.ShowWaiting({edit, label, combo});
    EXPECT_EQ(QStringList({edit->text(), label->text(), combo->placeholderText()}),
              QStringList({"wait...", "wait...", "wait..."}));
    EXPECT_EQ(combo->currentIndex(), -1);
}

// A value the switch reports that the table lacks is shown as its number and read back as
// itself (so Apply writes it unchanged); it goes once a known value is selected.
TEST_F(WidgetsTest, AComboShowsAValueOutsideItsTableAsItsNumberUntilAKnownOneIsSelected) {
    const CEnumTable table{{{1, "Enabled", "Enabled"}, {2, "Disabled", "Disabled"}}, 2};
    QComboBox* combo = kit::Combo(&dialog, "stateCombo", table);
    for (const long reported : {7L, 9L}) {
        EXPECT_FALSE(kit::SelectValue(*combo, reported));
        EXPECT_EQ(combo->currentText(), QString::number(reported));
        EXPECT_EQ(kit::ComboValue(*combo), reported);
        EXPECT_EQ(combo->count(), 3); // the earlier unknown value is gone
    }
    EXPECT_TRUE(kit::SelectValue(*combo, 1));
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(kit::ComboValue(*combo), 1);
}

} // namespace
