// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The five models' panel descriptions, pictures and User.ini files as shipped, and the
// screenshots of the rendered panels (written to the build folder's screenshots/).
#include "PanelTestSupport.h"

#include "panel/PanelView.h"
#include "platform/IniFile.h"

#include <QDir>

#include <map>

namespace {

struct ModelFacts {
    const char* name;
    int ports;
    bool allGiga;
    bool hasFan;
};

const ModelFacts kModels[] = {{"KSX-7700-20", 20, false, false},
                              {"KSX-7700-28", 28, false, false},
                              {"KSX-7700-28P", 28, false, true},
                              {"KSX-7700-48", 48, true, true},
                              {"KSX-7700-52", 52, true, true}};

const QString kResources = QString(KSX_SOURCE_DIR "/resources");

QString DescriptionFile(const QString& model) {
    return QString("%1/panels/%2/%2.xml").arg(kResources, model);
}

QString DeviceInfo(const QString& userIni, const char* key) {
    return platform::IniFile(userIni).ReadString(QString("DeviceInfo"), key, QString(), 259);
}

bool IsDark(QRgb pixel) {
    return qRed(pixel) < 0x40 && qGreen(pixel) < 0x40 && qBlue(pixel) < 0x40;
}

class PanelArtwork : public PanelTest, public ::testing::WithParamInterface<ModelFacts> {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        model = QString::fromLatin1(GetParam().name);
        DeviceValues().ModelName = GetParam().name;
        DeviceValues().DevicePortCount = GetParam().ports;
    }

    QString model;
};

} // namespace

TEST_P(PanelArtwork, DescriptionPictureAndUserIniFitTheModel) {
    ASSERT_TRUE(LoadPanelDescription(DescriptionFile(model), root, modules));
    EXPECT_TRUE(messages.Texts().empty());
    const QRect panel(QPoint(0, 0), root.GetRect().size());
    EXPECT_EQ(std::ranges::count(Classes(root), "CPort"), GetParam().ports);
    EXPECT_NE(root.FindChild("CCom", 0), nullptr) << "the console";

    for (int number = 1; number <= GetParam().ports; ++number) {
        CPort* port = NumberedPort(root, number);
        ASSERT_NE(port, nullptr);
        EXPECT_EQ(port->Identifier(), QString::number(number));
        const auto* lamp = dynamic_cast<const CLamp*>(port->GetChild(0));
        ASSERT_NE(lamp, nullptr) << "port " << number;
        EXPECT_TRUE(lamp->GetRect().left() != 0 && panel.contains(lamp->GetRect()) &&
                    panel.contains(port->GetRect()))
            << "port " << number;
        const bool topRow = port->GetRect().center().y() < panel.center().y();
        EXPECT_EQ(topRow, number % 2 == 1) << "odd ports on top, port " << number;
        for (int status = PortLink100; status <= PortEmpty; ++status) {
            port->SetStatus(status);
            EXPECT_TRUE(port->Bitmap().IsLoaded()) << "port " << number << " status " << status;
        }
    }

    // The lamp positions land on the lamp windows of the picture (no lamps drawn on it).
    DeviceValues().ModelName = "no lamps drawn";
    DeviceValues().DevicePortCount = 0;
    auto view = std::make_unique<CPanelView>();
    ASSERT_TRUE(view->LoadDescription(DescriptionFile(model)));
    QImage picture = view->grab().toImage();
    for (int number = 1; number <= GetParam().ports; ++number) {
        const QRect lamp = NumberedPort(view->Root(), number)->GetChild(0)->GetRect();
        EXPECT_TRUE(IsDark(picture.pixel(lamp.topLeft())) && IsDark(picture.pixel(lamp.center())))
            << "port " << number;
    }
    PanelIndicators failed;
    failed.FanStatus = "2";
    failed.BIsPowMax = true;
    for (const ModelLamp& lamp : ModelLamps(GetParam().name, failed)) {
        EXPECT_TRUE(IsDark(picture.pixel(lamp.position))) << "bitmap " << lamp.bitmap;
        const QSize size = CMyBitmapApp::Instance().Size(lamp.bitmap);
        EXPECT_TRUE(IsDark(
            picture.pixel(lamp.position + QPoint(size.width(), size.height()) - QPoint(1, 1))))
            << "bitmap " << lamp.bitmap;
    }

    // It renders with all ports up.
    DeviceValues().ModelName = GetParam().name;
    DeviceValues().DevicePortCount = GetParam().ports;
    view = std::make_unique<CPanelView>();
    ASSERT_TRUE(view->LoadDescription(DescriptionFile(model)));
    PanelPollResult up;
    for (int port = 1; port <= GetParam().ports; ++port) {
        up.Ports.push_back({port, PortLink10, 1, 0});
    }
    view->ApplyPollResult(up);
    const QDir screenshots(QString(KSX_SCREENSHOT_DIR));
    ASSERT_TRUE(screenshots.mkpath(QString(".")));
    const QString path = screenshots.filePath(QString("panel-%1.png").arg(model));
    ASSERT_TRUE(view->grab().save(path)) << path.toStdString();
    const QRect firstLamp = NumberedPort(view->Root(), 1)->GetChild(0)->GetRect();
    picture = view->grab().toImage();
    EXPECT_GT(qGreen(picture.pixel(firstLamp.center())), 0xa0) << "port 1 lit green";

    // The User.ini as shipped describes the model.
    const QString ini = QString("%1/userini/%2/User.ini").arg(kResources, model);
    EXPECT_EQ(DeviceInfo(ini, "DeviceName"), model);
    EXPECT_EQ(DeviceInfo(ini, "DevicePortNum").toInt(), GetParam().ports);
    EXPECT_EQ(DeviceInfo(ini, "IsAllGiga"), GetParam().allGiga ? "Y" : "N");
    EXPECT_EQ(DeviceInfo(ini, "IsHasFan"), GetParam().hasFan ? "Y" : "N");
    const QString xml = DeviceInfo(ini, "XMLName");
    EXPECT_TRUE(!xml.isEmpty() && QDir::isRelativePath(xml));
    EXPECT_TRUE(QFile::exists(QDir(QString(KSX_BIN_DIR)).filePath(xml)))
        << "copied beside the executables: " << xml.toStdString();
    // The build folder carries the User.ini of the 52.
    EXPECT_EQ(DeviceInfo(QString(KSX_BIN_DIR "/User.ini"), "DeviceName"), QString("KSX-7700-52"));
}

INSTANTIATE_TEST_SUITE_P(Models, PanelArtwork, ::testing::ValuesIn(kModels), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(PanelArtworkFiles, IndicatorBitmapsHaveTheirSizesAndColours) {
    // The look of a colour: G green, D dark, O orange, R red.
    const auto look = [](const QColor& c) {
        if (std::max({c.red(), c.green(), c.blue()}) < 0x60) {
            return 'D';
        }
        if (c.green() > 0xa0 && c.green() > c.red() && c.green() > c.blue()) {
            return 'G';
        }
        if (c.red() > 0xc0 && c.green() < 0x80 && c.blue() < 0x80) {
            return 'R';
        }
        return c.red() > 0xc0 && c.green() > 0x60 && c.green() < c.red() && c.blue() < c.green()
                   ? 'O'
                   : '?';
    };
    const std::map<int, std::pair<QSize, char>> expected = {
        {158, {{8, 8}, 'G'}}, {159, {{5, 5}, 'D'}}, {160, {{5, 5}, 'D'}}, {161, {{5, 5}, 'G'}},
        {162, {{5, 5}, 'G'}}, {163, {{5, 5}, 'O'}}, {164, {{5, 5}, 'O'}}, {190, {{4, 5}, 'R'}},
        {191, {{6, 5}, 'G'}}, {192, {{6, 5}, 'D'}}, {221, {{6, 5}, 'R'}}};
    ASSERT_TRUE(CMyBitmapApp::Instance().LoadIndicatorBitmaps());
    for (const auto& [number, facts] : expected) {
        CDib dib;
        ASSERT_TRUE(dib.LoadFromResource(number)) << number;
        EXPECT_EQ(QSize(dib.Width(), dib.Height()), facts.first) << number;
        EXPECT_EQ(CMyBitmapApp::Instance().Size(number), facts.first) << number;
        EXPECT_EQ(look(dib.Image().pixelColor(dib.Width() / 2, dib.Height() / 2)), facts.second)
            << number;
    }
}
