// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "MibViewsTest.h"

#include "features/maintenance/SystemInfoDialog.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

using testsupport::Click;
using testsupport::Find;
using testsupport::Type;

const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";

// A switch that has been up 100 hours, with a name and location in UTF-8.
class SystemInfoTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        testsupport::SimFixture::Options options;
        options.arguments = DataArguments({
            "1.3.6.1.2.1.1.3.0|67|36000000",
            kSysName + "|4x|5ac3bc72696368204c616e67737472c3a4737365", // Zürich Langsträsse
            kSysLocation + "|4x|48616c6c6520c3a9737420c2a7",           // Halle ést §
            "1.3.6.1.2.1.1.4.0|4|noc desk",
        });
        return options;
    }

    std::unique_ptr<CSystemInfoDlg> OpenRead() {
        auto dialog = Open<CSystemInfoDlg>();
        EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
        return dialog;
    }

    // Types text that the test library's key table does not know, character by character,
    // as a keyboard with those keys would.
    static bool TypeText(const QWidget* dialog, const char* name, const QString& text) {
        auto* edit = Find<QLineEdit>(dialog, QString::fromLatin1(name));
        if (edit == nullptr || !Type(dialog, QString::fromLatin1(name), QString())) {
            return false;
        }
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        }
        return edit->text() == text;
    }

    static QString TextOf(const QWidget* dialog, const char* name) {
        if (auto* edit = Find<QLineEdit>(dialog, QString::fromLatin1(name))) {
            return edit->text();
        }
        return {};
    }
};

TEST_F(SystemInfoTest, ShowsTheSystemGroupRefusesForbiddenCharactersAndSetsUtf8Texts) {
    auto dialog = OpenRead();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("System Information"));
    EXPECT_EQ(Find<QLabel>(dialog.get(), "descriptionText")->text(),
              QStringLiteral("KSX-7700-52 L2 Managed Ethernet Switch"));
    EXPECT_EQ(Find<QLabel>(dialog.get(), "objectIdText")->text().toStdString(),
              "1.3.6.1.4.1.99999.10.76.17");
    EXPECT_EQ(Find<QLabel>(dialog.get(), "upTimeText")->text(), QStringLiteral("100 Hour 0 Min"));
    EXPECT_EQ(TextOf(dialog.get(), "contactEdit"), QStringLiteral("noc desk"));
    EXPECT_EQ(TextOf(dialog.get(), "nameEdit"), QString::fromUtf8("Zürich Langsträsse"));
    EXPECT_EQ(TextOf(dialog.get(), "locationEdit"), QString::fromUtf8("Halle ést §"));
    EXPECT_TRUE(Find<QPushButton>(dialog.get(), "applyButton")->isEnabled());

    // Forbidden characters are refused in order (the name first) and nothing is sent.
    ASSERT_TRUE(Type(dialog.get(), "nameEdit", "core.sw1"));
    ASSERT_TRUE(Type(dialog.get(), "locationEdit", "hall/2"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid System Name."});
    ASSERT_TRUE(Type(dialog.get(), "nameEdit", "core sw-1"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid System Location."});
    for (const char* name : {"a~b",  "a`b", "a!b", "a@b", "a#b", "a$b", "a%b",  "a^b", "a&b",
                             "a*b",  "a{b", "a}b", "a[b", "a]b", "a|b", "a\\b", "a:b", "a;b",
                             "a\"b", "a'b", "a<b", "a>b", "a,b", "a?b", "a/b"}) {
        ASSERT_TRUE(Type(dialog.get(), "nameEdit", QString::fromLatin1(name)));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
        EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>{"Invalid System Name."}) << name;
    }
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(TextOf(dialog.get(), "locationEdit"), QStringLiteral("hall/2"));

    // A valid set sends name and location as UTF-8 in one request.
    ASSERT_TRUE(TypeText(dialog.get(), "nameEdit", QString::fromUtf8("Köln Süd-2")));
    ASSERT_TRUE(Type(dialog.get(), "locationEdit", QStringLiteral("Rack 4 - Row B")));
    ASSERT_TRUE(Type(dialog.get(), "contactEdit", QStringLiteral("someone else")));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    EXPECT_TRUE(messages.Texts().empty());
    auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].result, "noError");
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{kSysName + " = OCTET STRING: 0x4bc3b66c6e2053c3bc642d32",
                                        kSysLocation + " = OCTET STRING: Rack 4 - Row B"}));
    EXPECT_TRUE(trace.Contains("set status = 0"));
    // What the switch now holds reads back as typed.
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    ASSERT_TRUE(mibviews::WaitForWalk(dialog.get()));
    EXPECT_EQ(TextOf(dialog.get(), "nameEdit"), QString::fromUtf8("Köln Süd-2"));
    EXPECT_EQ(TextOf(dialog.get(), "contactEdit"), QStringLiteral("noc desk"));

    // A name is cut to its first 256 characters.
    Find<QLineEdit>(dialog.get(), "nameEdit")->setText(QString(300, QChar(0x00e9))); // 2 bytes
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]).front(),
              kSysName + " = OCTET STRING: 0x" + std::string(QByteArray("c3a9").repeated(256)));

    // 5 h 7 min 59.99 s: the seconds are cut off, never rounded up.
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", DataArguments({"1.3.6.1.2.1.1.3.0|67|1847999"})}));
    dialog = OpenRead();
    EXPECT_EQ(Find<QLabel>(dialog.get(), "upTimeText")->text(), QStringLiteral("5 Hour 7 Min"));
}

TEST_F(SystemInfoTest, AReadWithoutAnswerKeepsTheFieldsAndEnablesTheButtons) {
    auto dialog = OpenRead();
    ASSERT_TRUE(Type(dialog.get(), "nameEdit", "typed"));
    sim.Pause();
    ASSERT_TRUE(Click(dialog.get(), "refreshButton"));
    EXPECT_FALSE(Find<QPushButton>(dialog.get(), "applyButton")->isEnabled());
    const bool ended = mibviews::WaitForWalk(dialog.get());
    sim.Resume();
    ASSERT_TRUE(ended);
    EXPECT_TRUE(Find<QPushButton>(dialog.get(), "applyButton")->isEnabled());
    EXPECT_EQ(TextOf(dialog.get(), "nameEdit"), QStringLiteral("typed"));
}

} // namespace
