// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/ForwardingTableDialog.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/FileDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList kHeader = {QString("Name"), QString("Note")};
const QList<QStringList> kRows = {{QString("Gäste-Büro"), QString("a, b")},
                                  {QString("say \"hi\""), QString("tab\there")},
                                  {QString("two\nlines"), QString("")}};

TEST(ReportTextTest, TabAndCsvForms) {
    struct Case {
        QList<QStringList> rows;
        QString tab;
        QString csv;
    };
    const Case cases[] = {{{}, QString("Name\tNote\n"), QString("Name,Note\r\n")},
                          {{kRows[0]},
                           QString("Name\tNote\nGäste-Büro\ta, b\n"),
                           QString("Name,Note\r\nGäste-Büro,\"a, b\"\r\n")},
                          {{kRows[1]},
                           QString("Name\tNote\nsay \"hi\"\ttab here\n"),
                           QString("Name,Note\r\n\"say \"\"hi\"\"\",tab\there\r\n")},
                          {{kRows[2]},
                           QString("Name\tNote\ntwo lines\t\n"),
                           QString("Name,Note\r\n\"two\nlines\",\r\n")}};
    for (const Case& c : cases) {
        EXPECT_EQ(ReportTabText(kHeader, c.rows).toStdString(), c.tab.toStdString());
        EXPECT_EQ(ReportCsvText(kHeader, c.rows).toStdString(), c.csv.toStdString());
    }
}

void AnswerFileDialog(const QString& path, QStringList* offered = nullptr) {
    testsupport::AnswerFileDialog(QStringLiteral("exportCsvDialog"), path, offered);
}

QByteArray FileBytes(const QString& path) {
    return QByteArray::fromStdString(testsupport::ReadFile(path.toStdString()));
}

TEST(ReportListTest, CopyTakesTheSelectionExportEveryRowAndNeitherChangesIt) {
    CReportList list;
    list.SetColumns({QString("Name "), QString(" Note ")});
    for (const QStringList& row : kRows) {
        list.AddRow(row);
    }
    QSignalSpy picks(&list, &CReportList::rowSelected);
    testsupport::MessageScript messages;
    ASSERT_TRUE(testsupport::ShowActive(&list));
    QTemporaryDir folder;
    const QString path = folder.filePath(QString("report.csv"));

    // Nothing selected: every row by Ctrl+C.
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ReportTabText(kHeader, kRows));

    // One row selected: Copy takes that row, the export every row and says where it wrote;
    // a cancelled export writes nothing.
    list.SelectRow(1);
    list.CopyRows();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ReportTabText(kHeader, {kRows[1]}));
    const QString firstFolder = QDir(ExportFolder()).absolutePath();
    QStringList offered;
    AnswerFileDialog(path, &offered);
    list.ExportCsv();
    EXPECT_EQ(offered,
              (QStringList{QDate::currentDate().toString(Qt::ISODate) + ".csv", firstFolder}));
    EXPECT_EQ(FileBytes(path), ReportCsvText(kHeader, kRows).toUtf8());
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"3 rows exported to " + path.toStdString()});
    QFile::remove(path);
    AnswerFileDialog(QString(), &offered);
    list.ExportCsv();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(offered.value(1), QDir(folder.path()).absolutePath()); // the last folder used
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_EQ(picks.count(), 0);
    EXPECT_TRUE(messages.Texts().empty()) << messages.Texts().front();
}

using ForwardingExportTest = testsupport::DialogFixture;

TEST_F(ForwardingExportTest, ExportsEveryEntryReadNotOnlyThePage) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-52", {"--fdb", "250"}}));
    auto dialog = OpenRead<CForwardingTableDlg>();
    ASSERT_EQ(dialog->EntryCount(), 250);
    EXPECT_EQ(dialog->List()->RowCount(), CForwardingTableDlg::kPageSize);

    QTemporaryDir folder;
    const QString path = folder.filePath(QString("fdb.csv"));
    QStringList offered;
    AnswerFileDialog(path, &offered);
    dialog->List()->SelectRow(3);
    dialog->List()->ExportCsv();
    EXPECT_EQ(offered.value(0), QString("KSX-7700-52 Forwarding Table ") +
                                    QDate::currentDate().toString(Qt::ISODate) + ".csv");
    const QList<QByteArray> lines = FileBytes(path).split('\n');
    ASSERT_EQ(lines.size(), 252); // header, 250 rows, nothing after the last CR LF
    EXPECT_EQ(lines[0], "ID,Port,MAC Address,Status\r");
    EXPECT_TRUE(lines[250].startsWith("250,"));
    dialog->List()->CopyRows();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(u'\n'), 2); // the selected row
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"250 rows exported to " + path.toStdString()});
}

} // namespace
