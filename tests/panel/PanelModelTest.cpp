// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PanelTestSupport.h"

#include <memory>

namespace {

template <typename T> T* AddTo(CPanelItem& parent, QRect rect = QRect(0, 0, 1, 1)) {
    auto item = std::make_unique<T>();
    item->SetRect(rect.left(), rect.top(), rect.width(), rect.height());
    T* raw = item.get();
    parent.AddChild(std::move(item));
    return raw;
}

CLamp* AddLamp(CPanelItem& enclosing, int type) {
    CLamp* lamp = AddTo<CLamp>(enclosing);
    lamp->SetType(type);
    lamp->AttachTo(&enclosing);
    return lamp;
}

// Records the order in which the tree deletes its objects (an object logs before its
// children go).
class TracedItem : public CPanelItem {
public:
    TracedItem(std::vector<int>& log, int id) : m_Log(log), m_Id(id) {}
    ~TracedItem() override { m_Log.push_back(m_Id); }

private:
    std::vector<int>& m_Log;
    int m_Id;
};

} // namespace

using PanelModel = PanelTest;

TEST_F(PanelModel, PortStatusDecidesWhatEachLampShows) {
    auto* port = AddTo<CPort>(root);
    for (int type : {LampLink, LampS100M, LampPower, LampConsole}) {
        AddLamp(*port, type);
    }
    // Port status -> expected status of the LINK, S100M, POWER and CONSOLE lamps.
    const std::vector<std::pair<int, std::vector<int>>> table = {
        {PortLink10, {Lamp1G, Lamp1G, LampOff, LampOff}},
        {PortLink100, {LampOn, LampOn, LampOff, LampOff}},
        {PortDisabled, {LampOff, LampOff, LampOff, LampOff}},
        {PortLink10, {Lamp1G, Lamp1G, LampOff, LampOff}},
        {PortEnable, {LampOff, LampOff, LampOff, LampOff}},
        {PortLink100, {LampOn, LampOn, LampOff, LampOff}},
        {PortEmpty, {LampOff, LampOff, LampOff, LampOff}}};
    for (const auto& [status, expected] : table) {
        port->SetStatus(status);
        EXPECT_EQ(Children(*port, [](const CPanelItem& lamp) { return lamp.GetStatus(); }),
                  expected)
            << "port status " << status;
    }
}

TEST_F(PanelModel, SettingTheSameStatusLoadsAndNotifiesNothing) {
    WriteBitmap(QString("enabled.png"), {10, 10}, Qt::gray);
    auto* port = AddTo<CPort>(root);
    port->SetBitmapFolder(folder.path());
    port->SetStateBitmap(PortEnable, QString("enabled.png"));
    CLamp* lamp = AddLamp(*port, LampLink);
    port->SetStatus(PortEnable);
    ASSERT_TRUE(port->Bitmap().IsLoaded());
    root.DrawChildren();
    ASSERT_FALSE(port->IsDirty());

    lamp->CPanelItem::SetStatus(LampOn); // a value no port status would give it
    QFile::remove(Path(QString("enabled.png")));
    port->SetStatus(PortEnable);
    EXPECT_FALSE(port->IsDirty());
    EXPECT_EQ(lamp->GetStatus(), LampOn) << "the lamp was not told";
    EXPECT_TRUE(port->Bitmap().IsLoaded()) << "no second load (the file is gone)";

    port->SetStatus(PortDisabled);
    EXPECT_TRUE(port->IsDirty());
    EXPECT_EQ(lamp->GetStatus(), LampOff);
    EXPECT_FALSE(port->Bitmap().IsLoaded()) << "no bitmap for this status: nothing drawn";
}

TEST_F(PanelModel, OnlyLampsOfPortsAndConsolesFollowTheirEnclosingObject) {
    auto* face = AddTo<CPanel>(root);
    CLamp* faceLamp = AddLamp(*face, LampLink);
    EXPECT_EQ(faceLamp->Enclosing(), face);
    EXPECT_EQ(faceLamp->Subject(), nullptr);
    faceLamp->CPanelItem::SetStatus(LampOff);
    faceLamp->Update();
    EXPECT_EQ(faceLamp->GetStatus(), LampOff);

    auto* console = AddTo<CCom>(root);
    CLamp* consoleLamp = AddLamp(*console, LampConsole);
    consoleLamp->CPanelItem::SetStatus(LampOff);
    console->Initialize(); // passes its own status 0 on
    EXPECT_EQ(consoleLamp->GetStatus(), LampOn);

    auto* power = AddTo<CPower>(root);
    CLamp* powerLamp = AddLamp(*power, LampPower);
    EXPECT_EQ(powerLamp->Subject(), nullptr);
    EXPECT_TRUE(power->StatusSubject()->Observers().empty());
}

TEST_F(PanelModel, CursorFollowsTheSameHitTest) {
    AddTo<CSlot>(root, QRect(0, 0, 20, 20));
    AddTo<CPort>(root, QRect(100, 0, 20, 20));
    AddTo<CCom>(root, QRect(200, 0, 20, 20));
    AddTo<CPanel>(root, QRect(300, 0, 20, 20));
    AddTo<CPower>(root, QRect(400, 0, 20, 20));
    const auto cursorAt = [&](QPoint point) {
        PanelCursor cursor = PanelCursor::Unchanged;
        root.OnMouseMove(point, cursor);
        return cursor;
    };
    EXPECT_EQ(cursorAt({10, 10}), PanelCursor::Arrow);
    EXPECT_EQ(cursorAt({110, 10}), PanelCursor::Hand);
    EXPECT_EQ(cursorAt({210, 10}), PanelCursor::Hand);
    EXPECT_EQ(cursorAt({102, 10}), PanelCursor::Unchanged);
    EXPECT_EQ(cursorAt({60, 10}), PanelCursor::Unchanged);
    EXPECT_EQ(root.GetChild(5), nullptr);
    EXPECT_EQ(root.GetChild(-1), nullptr);
    EXPECT_EQ(root.FindChild("CPort", -1), nullptr);
}

TEST_F(PanelModel, ParentsDeleteTheirChildrenLastAddedFirst) {
    std::vector<int> deleted;
    {
        CDevModule tree;
        for (int id = 1; id <= 3; ++id) {
            tree.AddChild(std::make_unique<TracedItem>(deleted, id));
        }
        auto* middle = static_cast<TracedItem*>(tree.GetChild(1));
        middle->AddChild(std::make_unique<TracedItem>(deleted, 21));
        middle->AddChild(std::make_unique<TracedItem>(deleted, 22));
    }
    EXPECT_EQ(deleted, (std::vector<int>{3, 2, 22, 21, 1}));
}

TEST_F(PanelModel, TimeoutResetEnablesTheFirst48PortsAndEmptiesTheUplinks) {
    std::vector<CPort*> ports;
    for (int i = 0; i < 53; ++i) {
        ports.push_back(AddTo<CPort>(root));
        if (i == 10) {
            auto* module = AddTo<CModule>(root);
            AddTo<CPort>(*module)->SetStatus(PortLink10);
            AddTo<CPort>(*AddTo<CModule>(*module))->SetStatus(PortLink100);
        }
    }
    for (CPort* port : ports) {
        port->SetStatus(PortLink10);
    }
    ResetPanelAfterTimeout(root);
    for (int i = 0; i < 53; ++i) {
        const int expected = i < 48 ? PortEnable : i < 52 ? PortEmpty : PortLink10;
        EXPECT_EQ(ports[static_cast<size_t>(i)]->GetStatus(), expected) << "port " << i + 1;
    }
    const CPanelItem* module = root.FindChild("CModule", 0);
    EXPECT_EQ(module->GetChild(0)->GetStatus(), PortEnable);
    EXPECT_EQ(module->GetChild(1)->GetChild(0)->GetStatus(), PortEnable);
}

TEST_F(PanelModel, LedShowsTheBitmapOfItsValue) {
    WriteBitmap(QString("two.png"), {4, 4}, Qt::yellow);
    CLed led;
    led.SetBitmapFolder(folder.path());
    led.SetBitmap(2, QString("two.png"));
    EXPECT_FALSE(led.Initialize());
    led.SetValue(2);
    EXPECT_TRUE(led.Initialize());
    EXPECT_TRUE(led.Bitmap().IsLoaded());
    led.SetValue(12);
    EXPECT_TRUE(led.Initialize()) << "values above 9 load nothing and succeed";
}
