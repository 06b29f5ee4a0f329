// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "panel/MyBitmapApp.h"
#include "panel/PanelDescription.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What `of` gives for each child of `item`.
template <class Of> auto Children(const CPanelItem& item, Of of) {
    std::vector<decltype(of(item))> all;
    for (int i = 0; i < item.ChildCount(); ++i) {
        all.push_back(of(*item.GetChild(i)));
    }
    return all;
}
inline std::vector<std::string> Classes(const CPanelItem& item) {
    return Children(item, [](const CPanelItem& c) { return std::string(c.RuntimeClassName()); });
}
inline std::vector<QString> Ids(const CPanelItem& item) {
    return Children(item, [](const CPanelItem& c) { return c.Identifier(); });
}

// A scratch folder for description files and bitmaps, the message boxes and trace lines
// recorded, and the process-wide panel values put back afterwards.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        CMyBitmapApp::Instance().ClearPositions();
        savedDevice = DeviceValues();
    }

    void TearDown() override { DeviceValues() = savedDevice; }

    // Exactly one message box came and it holds every one of `parts` (it is forgotten).
    ::testing::AssertionResult OneMessageWith(std::initializer_list<std::string> parts) {
        const std::vector<std::string> texts = messages.TakeTexts();
        if (texts.size() != 1) {
            return ::testing::AssertionFailure() << texts.size() << " messages";
        }
        for (const std::string& part : parts) {
            if (texts[0].find(part) == std::string::npos) {
                return ::testing::AssertionFailure() << texts[0] << " lacks " << part;
            }
        }
        return ::testing::AssertionSuccess();
    }

    QString Path(const QString& name) const { return folder.filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& text) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return Path(name);
    }

    // A plain bitmap of one colour in the scratch folder.
    QString WriteBitmap(const QString& name, QSize size, QColor colour) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(Path(name)));
        return Path(name);
    }

    bool Load(const QByteArray& xml) {
        return LoadPanelDescription(WriteFile(QString("panel.xml"), xml), root, modules);
    }

    // `~` in `xml` stands for a rectangle no test looks at.
    static QByteArray Xml(QByteArray xml) {
        return xml.replace('~', R"(LEFT="0" TOP="0" WIDTH="1" HEIGHT="1")");
    }

    // `elements` in a device panel of 9 x 9.
    static QByteArray Panel(const QByteArray& elements) {
        return Xml(R"(<DEVICEPANEL ID="d" LEFT="0" TOP="0" WIDTH="9" HEIGHT="9" ITEMS=".">)" +
                   elements + "</DEVICEPANEL>");
    }

    QTemporaryDir folder;
    CDevModule root;
    CModuleList modules;
    testsupport::MessageScript messages;
    testsupport::TraceCapture trace;
    DeviceValuesData savedDevice;
};
