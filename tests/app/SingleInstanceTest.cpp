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

TEST_F(SingleInstanceTest, SecondClaimOfTheSameNameActivatesTheFirst) {
    SingleInstance first(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(first.Claim(), SingleInstance::Outcome::Serving);
    EXPECT_TRUE(first.LockFilePath().startsWith(m_runtimeDir.path()));

    SingleInstance second(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    EXPECT_EQ(second.Claim(), SingleInstance::Outcome::AnotherIsServing);
    SingleInstance third(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    EXPECT_EQ(third.Claim(), SingleInstance::Outcome::AnotherIsServing);
    EXPECT_TRUE(ProcessEventsUntil(activations, 2));
}

TEST_F(SingleInstanceTest, NamesDifferingInAnyCharacterAreIndependent) {
    SingleInstance a(QStringLiteral("Module:KSX-7700-5210.0.0.5"));
    SingleInstance b(QStringLiteral("Module:KSX-7700-5210.0.0.6"));
    SingleInstance c(QStringLiteral("Module:ksx-7700-5210.0.0.5"));
    SingleInstance d(QStringLiteral("Module:") + QString(400, u'/')); // any text, any length
    EXPECT_EQ(a.Claim(), SingleInstance::Outcome::Serving);
    EXPECT_EQ(b.Claim(), SingleInstance::Outcome::Serving);
    EXPECT_EQ(c.Claim(), SingleInstance::Outcome::Serving);
    EXPECT_EQ(d.Claim(), SingleInstance::Outcome::Serving);
}

TEST_F(SingleInstanceTest, NameIsFreeAgainWhenItsHolderGoes) {
    auto first = std::make_unique<SingleInstance>(QStringLiteral("Module:10.0.0.7"));
    ASSERT_EQ(first->Claim(), SingleInstance::Outcome::Serving);
    first.reset();
    SingleInstance next(QStringLiteral("Module:10.0.0.7"));
    int activations = 0;
    QObject::connect(&next, &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(next.Claim(), SingleInstance::Outcome::Serving);
    SingleInstance later(QStringLiteral("Module:10.0.0.7"));
    EXPECT_EQ(later.Claim(), SingleInstance::Outcome::AnotherIsServing);
    EXPECT_TRUE(ProcessEventsUntil(activations, 1));
}

} // namespace
