// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PanelTestSupport.h"

#include <climits>

using PanelDescription = PanelTest;

TEST_F(PanelDescription, BuildsOneObjectPerElementWithItsAttributes) {
    WriteBitmap(QString("face.png"), {40, 20}, Qt::gray);
    WriteBitmap(QString("up.png"), {20, 10}, Qt::green);
    WriteBitmap(QString("led3.png"), {4, 4}, Qt::red);
    ASSERT_TRUE(
        Load(Xml(R"(<DEVICEPANEL ID="dev" LEFT="5" TOP="6" WIDTH="300" HEIGHT="90" ITEMS=".">
        <PANEL ID="face" LEFT="1" TOP="2" WIDTH="40" HEIGHT="20" BMP="face.png"/>
        <PORT ID="p1" LEFT="50" TOP="10" WIDTH="20" HEIGHT="10" STATUS="PORTLINK10"
              BMPLINK10="up.png" NAME="First" ITEMS=".">
          <LAMP ID="l1" LEFT="52" TOP="12" WIDTH="5" HEIGHT="5" TYPE="S100M" STATUS="LAMPOFF"/>
        </PORT>
        <SLOT ID="s" ~/><CONSOLE ID="c1" ~/><MASTER ID="c2" ~/><RPS ID="c3" ~/><FAN ID="c4" ~/>
        <POWER ID="pw" ~/><LED ID="led" LEFT="0" TOP="0" WIDTH="4" HEIGHT="4" BMP3="led3.png"/>
        <MODULE ID="m" ~/><UNKNOWN ID="u" ~/>
      </DEVICEPANEL>)")));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(trace.Lines(), std::vector<std::string>{" node num = 1"});

    EXPECT_EQ(root.GetRect(), QRect(5, 6, 300, 90));
    EXPECT_EQ(root.Identifier(), QString("dev"));
    ASSERT_EQ(Classes(root),
              (std::vector<std::string>{"CPanel", "CPort", "CSlot", "CCom", "CCom", "CCom", "CCom",
                                        "CObject", "CLed", "CModule"}));

    const CPanelItem* face = root.GetChild(0);
    EXPECT_EQ(face->GetRect(), QRect(1, 2, 40, 20));
    EXPECT_EQ(face->GetName(), QString("VirtualDev"));
    EXPECT_TRUE(face->Bitmap().IsLoaded());

    const auto* port = static_cast<const CPort*>(root.GetChild(1));
    EXPECT_EQ(port->GetStatus(), PortLink10);
    EXPECT_EQ(port->GetName(), QString("First"));
    EXPECT_TRUE(port->Bitmap().IsLoaded()) << "the bitmap of the initial status";
    EXPECT_EQ(port->PortIdentifier(), 1);
    const auto* lamp = dynamic_cast<const CLamp*>(port->GetChild(0));
    ASSERT_NE(lamp, nullptr);
    EXPECT_TRUE(lamp->IsType(LampS100M));
    EXPECT_EQ(lamp->GetName(), QString("Lamp"));
    EXPECT_EQ(lamp->GetStatus(), LampOff) << "the lamp was attached after the port loaded";

    EXPECT_EQ(root.GetChild(8)->GetName(), QString("Led"));
    EXPECT_FALSE(root.GetChild(8)->Bitmap().IsLoaded()) << "value 0 has no bitmap";
}

TEST_F(PanelDescription, MissingRequiredAttributeIsReportedOnceAndTheRestIsBuilt) {
    EXPECT_FALSE(Load(R"(<DEVICEPANEL ID="d" LEFT="0" TOP="0" WIDTH="100" HEIGHT="50" ITEMS=".">
        <PORT ID="1" LEFT="1" TOP="1" WIDTH="10" HEIGHT="10"/>
        <PORT ID="2" TOP="1" WIDTH="10" HEIGHT="10" ITEMS=".">
          <LAMP ID="0" LEFT="1" TOP="1" WIDTH="5" HEIGHT="5"/>
        </PORT>
        <PORT ID="3" LEFT="30" TOP="1" WIDTH="10" HEIGHT="10"/>
        <SLOT LEFT="0" TOP="0" WIDTH="1" HEIGHT="1"/>
      </DEVICEPANEL>)"));
    EXPECT_TRUE(OneMessageWith({Path(QString("panel.xml")).toStdString(),
                                "<PORT> on line 3 has no LEFT attribute", "1 more element"}));

    ASSERT_EQ(root.ChildCount(), 2) << "ports 1 and 3; the faulty port and its lamp are left out";
    EXPECT_EQ(root.GetChild(1)->GetRect().left(), 30);
    EXPECT_EQ(CMyBitmapApp::Instance().PositionCount(), 0);
}

TEST_F(PanelDescription, UnreadableOrMalformedFileIsReportedWithItsName) {
    const QString missing = Path(QString("nowhere.xml"));
    EXPECT_FALSE(LoadPanelDescription(missing, root, modules));
    EXPECT_TRUE(OneMessageWith({missing.toStdString()}));
    EXPECT_FALSE(Load("<DEVICEPANEL ID=\"d\" LEFT=\"0\" TOP=\"0\" WIDTH=\"9\" HEIGHT=\"9\">"));
    EXPECT_TRUE(OneMessageWith({"panel.xml\" could not be read"}));
    EXPECT_EQ(root.ChildCount(), 0);
    EXPECT_EQ(root.GetRect(), QRect()) << "nothing of a broken file is applied";
}

TEST_F(PanelDescription, NumbersAreTheLeadingDigits) {
    const std::pair<const char*, int> cases[] = {
        {"12px", 12}, {"007", 7}, {"abc", 0}, {"", 0},
        {"-5", 0},    {" 5", 0},  {"3.9", 3}, {"99999999999999999999", INT_MAX}};
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(LeadingNumber(text), number) << text;
    }

    ASSERT_TRUE(Load(R"(<DEVICEPANEL ID="d" LEFT="15abc" TOP="x" WIDTH="640 px" HEIGHT="+4"/>)"));
    EXPECT_EQ(root.GetRect(), QRect(15, 0, 640, 0));
}

TEST_F(PanelDescription, StatusAndTypeWordsBelongToTheirElements) {
    ASSERT_TRUE(Load(Panel(R"(
        <PORT ID="a" ~ STATUS="PORTLINK100"/><PORT ID="b" ~ STATUS="PORTDISABLED"/>
        <PORT ID="c" ~ STATUS="PORTENABLE"/><PORT ID="d" ~ STATUS="PORTEMPTY"/>
        <PORT ID="e" ~ STATUS="LAMPOFF"/><PORT ID="f" ~ STATUS="portempty"/>
        <LAMP ID="g" ~ STATUS="LAMP1G" TYPE="POWER"/><LAMP ID="h" ~ STATUS="LAMPOFF" TYPE="CONSOLE"/>
        <LAMP ID="i" ~ STATUS="PORTENABLE" TYPE="LAMP"/><SLOT ID="j" ~ STATUS="PORTEMPTY"/>)")));
    EXPECT_EQ(Children(root, [](const CPanelItem& c) { return c.GetStatus(); }),
              (std::vector<int>{0, 2, 3, 4, 0, 0, 1, 2, 0, 0}));
    EXPECT_TRUE(static_cast<CLamp*>(root.GetChild(6))->IsType(LampPower));
    EXPECT_TRUE(static_cast<CLamp*>(root.GetChild(7))->IsType(LampConsole));
    EXPECT_TRUE(static_cast<CLamp*>(root.GetChild(8))->IsType(LampLink));
}

TEST_F(PanelDescription, IdZeroRecordsAtMostOneHundredPositions) {
    QByteArray slotXml;
    for (int i = 0; i < 101; ++i) {
        slotXml += QString(R"(<SLOT ID="0" LEFT="%1" TOP="%2" WIDTH="1" HEIGHT="1"/>)")
                       .arg(i + 1)
                       .arg(1000 + i)
                       .toUtf8();
    }
    ASSERT_TRUE(Load(Panel(slotXml)));
    EXPECT_EQ(root.ChildCount(), 101);
    const CMyBitmapApp& bitmaps = CMyBitmapApp::Instance();
    EXPECT_EQ(bitmaps.PositionCount(), 100);
    EXPECT_EQ(bitmaps.Position(0), QPoint(1, 1000));
    EXPECT_EQ(bitmaps.Position(99), QPoint(100, 1099));
    EXPECT_EQ(bitmaps.Position(99, false), QPoint()) << "nothing fills the second pair";
    EXPECT_TRUE(root.GetChild(0)->Identifier().isEmpty());
}

TEST_F(PanelDescription, ChildrenAreFoundThroughAttributeValuesAsXPath) {
    ASSERT_TRUE(Load(Panel(R"xml(
        <PANEL ID="1" ~><SLOT ID="never" ~/></PANEL>
        <PANEL ID="2" ~ NAME="no xpath ((" BMP="'text'" A="@ID" B="count(*)" C="STOCK">
          <SLOT ID="also never" ~/></PANEL>
        <PANEL ID="3" ~ X="." Y="." Z="/DEVICEPANEL/STOCK"><SLOT ID="twice" ~/></PANEL>
        <PANEL ID="4" ~ UP=".." SELF="."><SLOT ID="looped" ~/></PANEL>)xml")));
    ASSERT_EQ(root.ChildCount(), 4);
    EXPECT_EQ(root.GetChild(0)->ChildCount(), 0) << "no attribute selects a node";
    EXPECT_EQ(root.GetChild(1)->ChildCount(), 0)
        << "invalid XPath, a string, an attribute, a number and an empty selection";

    const CPanelItem* three = root.GetChild(2);
    EXPECT_EQ(Ids(*three), (std::vector<QString>{"twice", "twice"}))
        << "descended once for each of its two '.' values";

    // ".." selects the root element again: the panels below it are visited once more as
    // children of panel 4, except panel 4 itself, which is being visited.
    const std::vector<QString> four = Ids(*root.GetChild(3));
    ASSERT_GE(four.size(), 4u);
    EXPECT_EQ(std::vector(four.begin(), four.begin() + 3), (std::vector<QString>{"1", "2", "3"}));
    EXPECT_EQ(four.back(), QString("looped"));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(PanelDescription, DescentWithoutEndIsCutAndReported) {
    // Every level descends into itself three times (3^12 visits if nothing stopped it), or
    // the elements nest 50000 deep.
    constexpr int deep = 50000;
    const struct {
        int depth;
        const char* element;
    } cases[] = {{12, R"(<SLOT ID="s" ~ A="." B="." C=".">)"},
                 {deep, R"(<SLOT ID="s" ~ ITEMS=".">)"}};
    for (const auto& c : cases) {
        const QByteArray xml = Panel(QByteArray(c.element).repeated(c.depth) +
                                     QByteArray("</SLOT>").repeated(c.depth));
        CDevModule tree;
        CModuleList list;
        EXPECT_FALSE(LoadPanelDescription(WriteFile(QString("panel.xml"), xml), tree, list));
        EXPECT_TRUE(OneMessageWith({"leads into too many elements"}));
        int levels = 0;
        for (const CPanelItem* item = &tree; item->ChildCount() == 1; item = item->GetChild(0)) {
            ++levels;
        }
        if (c.depth == deep) {
            EXPECT_GT(levels, 100);
            EXPECT_LT(levels, deep);
        } else {
            EXPECT_EQ(tree.ChildCount(), 1);
        }
    }
}

TEST_F(PanelDescription, ModulesGoToTheModuleListOrToTheirEnclosingObject) {
    ASSERT_TRUE(Load(Xml(R"(<ROOT>
      <DEVICEPANEL ID="first" LEFT="1" TOP="2" WIDTH="3" HEIGHT="4" ITEMS=".">
        <MODULE ID="inPanel" ~/><GROUP ITEMS="."><PORT ID="lost" ~/><MODULE ID="fromGroup" ~/></GROUP>
      </DEVICEPANEL>
      <DEVICEMODULE ITEMS="."><MODULE ID="m1" ~ ITEMS="."><PORT ID="mp" ~/></MODULE>
        <PORT ID="stray" ~/></DEVICEMODULE>
      <DEVICEMODULE><MODULE ID="notVisited" ~/></DEVICEMODULE>
      <DEVICEPANEL ID="second" LEFT="10" TOP="20" WIDTH="30" HEIGHT="40" ITEMS=".">
        <SLOT ID="s2" ~/></DEVICEPANEL>
    </ROOT>)")));
    EXPECT_EQ(trace.Lines(), std::vector<std::string>{" node num = 2"});
    EXPECT_EQ(root.GetRect(), QRect(10, 20, 30, 40)) << "the later DEVICEPANEL wins";
    EXPECT_EQ(root.Identifier(), QString("second"));
    EXPECT_EQ(Classes(root), (std::vector<std::string>{"CModule", "CSlot"}));
    EXPECT_EQ(Ids(root), (std::vector<QString>{"inPanel", "s2"}));

    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(std::pair(modules[0]->Identifier(), modules[1]->Identifier()),
              std::pair(QString("fromGroup"), QString("m1")));
    EXPECT_EQ(Classes(*modules[1]), std::vector<std::string>{"CPort"});
}

TEST_F(PanelDescription, PortsInsideAFaceAreNotNumbered) {
    ASSERT_TRUE(Load(Panel(
        R"(<PORT ID="a" ~/><PANEL ID="face" ~ ITEMS="."><PORT ID="inner" ~/></PANEL><PORT ID="b" ~/>)")));
    ASSERT_NE(NumberedPort(root, 2), nullptr);
    EXPECT_EQ(
        std::pair(NumberedPort(root, 2)->Identifier(), NumberedPort(root, 2)->PortIdentifier()),
        std::pair(QString("b"), 2));
    EXPECT_TRUE(NumberedPort(root, 3) == nullptr && NumberedPort(root, 0) == nullptr);
    const auto* inner = static_cast<CPort*>(root.GetChild(1)->GetChild(0));
    EXPECT_EQ(inner->PortIdentifier(), 0);
}

TEST_F(PanelDescription, BitmapNamesAreTakenFromTheFilesFolderAndCutAt99) {
    WriteBitmap(QString("bg.png"), {3, 3}, Qt::blue);
    const QString longName = QString(120, QLatin1Char('n'));
    ASSERT_TRUE(Load(QString(R"(<DEVICEPANEL ID="d" LEFT="0" TOP="0" WIDTH="9"
        HEIGHT="9" BMP="bg.png" ITEMS="."><SLOT ID="s" LEFT="0" TOP="0" WIDTH="1" HEIGHT="1"
        BMP="%1"/></DEVICEPANEL>)")
                         .arg(longName)
                         .toUtf8()));
    EXPECT_EQ(root.BitmapPath(root.GetBitmapName()), Path(QString("bg.png")));
    EXPECT_EQ(root.GetChild(0)->GetBitmapName(), longName.left(99));
}
