// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "panel/MyBitmapApp.h"
#include "panel/PanelDescription.h"
#include "platform/Message.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A scratch folder for description files and bitmaps, the message boxes and trace lines
// recorded, and the process-wide panel values put back afterwards.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::SetMessageHandler([this](const QString& text, platform::MessageKind) {
            messages.push_back(text.toStdString());
            return platform::MessageResult::Ok;
        });
        platform::SetTraceSink([this](const std::string& line) { traces.push_back(line); });
        CMyBitmapApp::Instance().ClearPositions();
        savedDevice = DeviceValues();
    }

    void TearDown() override {
        platform::SetMessageHandler({});
        platform::SetTraceSink({});
        DeviceValues() = savedDevice;
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
        return LoadPanelDescription(WriteFile(QStringLiteral("panel.xml"), xml), root, modules);
    }

    QTemporaryDir folder;
    CDevModule root;
    CModuleList modules;
    std::vector<std::string> messages;
    std::vector<std::string> traces;
    DeviceValuesData savedDevice;
};
