// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CModuleWindow: the program's only top-level window. It shows the switch's front panel,
// carries the menu of configuration commands and runs their dialogs, and owns the panel
// poller and the six SNMP sessions of the window.
#pragma once

#include "app/PanelPoll.h"
#include "app/PanelPollResult.h"
#include "snmp/CommonSNMP.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <mutex>
#include <vector>

class CPanelDeviceThread;
class CPanelView;
class QMenu;
class QMenuBar;
class QContextMenuEvent;
class QKeyEvent;

// Written to the debug output once the panel has been painted for the first time.
inline constexpr char kPanelPaintedTrace[] = "Module window: panel painted";

class CModuleWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kPollerStopLimit{1000};

    // Builds the menu from the registered commands, then sets the window up from User.ini
    // (a missing DeviceName or XMLName is reported and leaves the window without panel,
    // poller and title; the menu still works).
    explicit CModuleWindow(QWidget* parent = nullptr);
    // Stops the poller if the window was not closed, then closes the sessions in order.
    ~CModuleWindow() override;

    bool IsSetUp() const { return m_bSetUp; }
    const QString& ModelName() const { return m_strModelName; }
    QMenuBar* MenuBar() const { return m_pMenuBar; }
    // The window menu (shown on a right click): holds the About item.
    QMenu* SystemMenu() const { return m_pSystemMenu; }
    CPanelView* PanelView() const { return m_pPanelView; }

    // A menu command: a registered action runs as it is; a registered dialog runs modally
    // while the window is put away (hidden, busy, minimised) and comes back afterwards.
    // Ignored while a command dialog runs.
    void OnCommand(int id);
    // The window menu's commands (the About box, which runs without hiding the window).
    void OnSysCommand(int id);
    void RunCommandDialog(QDialog& dialog);
    bool IsBusy() const { return m_Poll.IsBusy(); }
    bool IsPolling() const { return m_pPollThread != nullptr; }
    const CPanelPoll& Poll() const { return m_Poll; }

    // The window's general and set sessions, for the device tools.
    CCommonSNMP& Session() { return m_cCommonSNMP; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPset; }

    // Thread-safe: hands a poll result to the UI thread, where it is applied to the panel.
    void PostPollResult(PanelPollResult result);
    int AppliedPollResults() const { return m_nAppliedPollResults; }

public slots:
    // Closing: the snapshot (when asked for), then the poller is stopped.
    void done(int result) override;

signals:
    void pollResultApplied();

private slots:
    void ApplyPendingPollResults();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Escape does not close the module window (it would end the module).
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    QMenu* MenuForPath(const QStringList& popups);
    void OnInitDialog();
    bool ReadUserIni();
    void LoadPanel();
    void SetAboutItemText();
    void PruneMenuForModel();
    void StartPoller();
    void StopPoller();
    void BeginClosing();
    void DestroyWindow();
    void ApplyPollResult(const PanelPollResult& result);
    void SaveSnapshotIfAsked();

    QMenuBar* m_pMenuBar = nullptr;
    QMenu* m_pSystemMenu = nullptr;
    CPanelView* m_pPanelView = nullptr;

    bool m_bSetUp = false;
    bool m_bClosing = false;
    bool m_bDestroyed = false;
    bool m_bPanelPainted = false;
    QString m_strModelName;
    QString m_strXmlName;
    int m_nPortCount = 28;
    int m_nPortOffset = 0;
    int m_nAppliedPollResults = 0;

    // Poll results on their way to the UI thread.
    std::mutex m_PendingMutex;
    std::vector<PanelPollResult> m_PendingResults;

    // The poll state outlives the sessions below: their workers call into it.
    CPanelPoll m_Poll;
    std::unique_ptr<CPanelDeviceThread> m_pPollThread;

    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPset;
    CCommonSNMP m_cCommonSNMPFan;
    CCommonSNMP m_cCommonSNMPPoe;
    CCommonSNMP m_cCommonSNMPDevStat;
    CCommonSNMP m_cCommonSNMPPoeStat;
};

// The panel description file named in User.ini: relative names are taken from the folder of
// the executable (where User.ini normally lies).
QString PanelDescriptionPath(const QString& xmlName);

// Menu pruning by model name: the popups and item ids that a model does not have.
struct MenuPruning {
    std::vector<int> removedIds;
    bool removePoePopup = false; // the item at position 7 of "Device Manager"
};
MenuPruning MenuPruningFor(const QString& modelName);
