// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::SingleInstance;

constexpr int kGenerousWaitMs = 10000; // only a failing test ever waits this long

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_runtimeDir.isValid());
        m_savedRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_runtimeDir.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_savedRuntimeDir); }

    static bool ProcessEventsUntil(const int& count, int wanted) {
        QDeadlineTimer deadline(kGenerousWaitMs);
        while (count < wanted && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return count >= wanted;
    }

    QTemporaryDir m_runtimeDir;
    QByteArray m_savedRuntimeDir;
};

TEST_F(SingleInstanceTest, OneHolderPerNameAndLaterClaimsActivateIt) {
    auto first = std::make_unique<SingleInstance>(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    int activations = 0;
    QObject::connect(first.get(), &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(first->Claim(), SingleInstance::Outcome::Serving);
    EXPECT_TRUE(first->LockFilePath().startsWith(m_runtimeDir.path()));
    for (int n = 0; n < 2; ++n) {
        SingleInstance again(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
        EXPECT_EQ(again.Claim(), SingleInstance::Outcome::AnotherIsServing);
    }
    EXPECT_TRUE(ProcessEventsUntil(activations, 2));

    // Names differing in any character are independent, whatever their text and length.
    for (const QString& name : {QStringLiteral("Module:KSX-7700-5210.0.0.6"),
                                QStringLiteral("Module:ksx-7700-5210.0.0.5"),
                                QStringLiteral("Module:") + QString(400, u'/')}) {
        SingleInstance other(name);
        EXPECT_EQ(other.Claim(), SingleInstance::Outcome::Serving) << name.left(30).toStdString();
    }

    // The name is free again when its holder goes.
    first.reset();
    SingleInstance next(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    activations = 0;
    QObject::connect(&next, &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(next.Claim(), SingleInstance::Outcome::Serving);
    SingleInstance later(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    EXPECT_EQ(later.Claim(), SingleInstance::Outcome::AnotherIsServing);
    EXPECT_TRUE(ProcessEventsUntil(activations, 1));
}

} // namespace
