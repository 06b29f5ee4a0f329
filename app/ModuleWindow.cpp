// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/ModuleWindow.h"

#include "app/AboutDialog.h"
#include "app/EnvironmentHooks.h"
#include "app/ModuleCommands.h"
#include "app/PanelDeviceThread.h"
#include "app/UserIni.h"
#include "panel/PanelElements.h"
#include "panel/PanelView.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr char kUserIniError[] = "Read User.ini Error !";
constexpr qsizetype kFileNameMaxLength = 259;
constexpr int kDefaultPortCount = 28;
constexpr int kAboutPopupPosition = 3; // the menu bar's fourth popup
constexpr int kPoePopupPosition = 7;   // in "Device Manager"
constexpr int kEmptyPanelWidth = 640;  // the panel area when no panel is set up
constexpr int kEmptyPanelHeight = 120;
const QString kPathSeparator = QStringLiteral(" / ");
const QString kDeviceManager = QStringLiteral("Device Manager");

bool IsYes(const QString& value) {
    return value == QLatin1String("Y") || value == QLatin1String("y");
}

QAction* FindCommand(const QMenu& menu, int id) {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindCommand(*sub, id)) {
                return found;
            }
        } else if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

QAction* FindCommand(const QMenuBar& menuBar, int id) {
    for (QAction* action : menuBar.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindCommand(*sub, id)) {
                return found;
            }
        }
    }
    return nullptr;
}

// Removes an item (with its popup, if it is one) from the menu that holds it.
void RemoveItem(QAction* action) {
    for (QObject* holder : action->associatedObjects()) {
        if (auto* widget = qobject_cast<QWidget*>(holder)) {
            widget->removeAction(action);
        }
    }
    if (QMenu* popup = action->menu()) {
        delete popup; // takes its menu action along
    } else {
        delete action;
    }
}

} // namespace

QString PanelDescriptionPath(const QString& xmlName) {
    if (QDir::isAbsolutePath(xmlName)) {
        return xmlName;
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(xmlName);
}

MenuPruning MenuPruningFor(const QString& modelName) {
    MenuPruning pruning;
    if (modelName.contains(QLatin1String("KFX"))) {
        pruning.removedIds.push_back(kCmdJumboFrame);
    }
    if (!IsPoeModel(modelName.toStdString())) {
        // PoE commands, and ids of PoE commands other builds of the menu carry.
        for (int id :
             {int{kCmdPoePort}, 32819, 32825, 32827, 32826, 32857, 32858, int{kCmdPoeGlobal}}) {
            pruning.removedIds.push_back(id);
        }
        pruning.removePoePopup = true;
    }
    return pruning;
}

CModuleWindow::CModuleWindow(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_Poll(m_cCommonSNMPFan, m_cCommonSNMPPoe, m_cCommonSNMPDevStat, m_cCommonSNMPPoeStat) {
    setObjectName(QStringLiteral("moduleWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_pMenuBar = new QMenuBar(this);
    m_pMenuBar->setObjectName(QStringLiteral("menuBar"));
    layout->setMenuBar(m_pMenuBar);
    m_pPanelView = new CPanelView(this);
    m_pPanelView->setFixedSize(kEmptyPanelWidth, kEmptyPanelHeight);
    layout->addWidget(m_pPanelView);
    m_pPanelView->installEventFilter(this);
    BuildMenu();
    OnInitDialog();
}

CModuleWindow::~CModuleWindow() {
    BeginClosing();
    DestroyWindow();
    SetPortClickAction({});
}

void CModuleWindow::BuildMenu() {
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        QStringList parts = QString::fromLatin1(entry.path).split(kPathSeparator);
        const QString itemText = parts.takeLast();
        QAction* action = MenuForPath(parts)->addAction(itemText);
        action->setObjectName(QStringLiteral("command%1").arg(entry.id));
        action->setData(entry.id);
        action->setEnabled(IsCommandAvailable(entry.id));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
}

// The popup for a path of popup titles, made on first use; objectName "menu:" + path.
QMenu* CModuleWindow::MenuForPath(const QStringList& popups) {
    const QString name = QStringLiteral("menu:") + popups.join(kPathSeparator);
    if (auto* existing = m_pMenuBar->findChild<QMenu*>(name)) {
        return existing;
    }
    QMenu* menu = nullptr;
    if (popups.size() == 1) {
        menu = m_pMenuBar->addMenu(popups.front());
    } else {
        menu = MenuForPath(popups.mid(0, popups.size() - 1))->addMenu(popups.back());
    }
    menu->setObjectName(name);
    return menu;
}

// The set-up of the window from User.ini, in the order the host relies on.
void CModuleWindow::OnInitDialog() {
    // The window menu: a separator and the About item.
    m_pSystemMenu = new QMenu(this);
    m_pSystemMenu->setObjectName(QStringLiteral("systemMenu"));
    const QString aboutText = QString::fromLatin1(kSystemAboutText);
    if (!aboutText.isEmpty()) {
        m_pSystemMenu->addSeparator();
        QAction* about = m_pSystemMenu->addAction(aboutText);
        about->setObjectName(QStringLiteral("systemAbout"));
        connect(about, &QAction::triggered, this, [this] { OnSysCommand(kCmdSystemAbout); });
    }
    if (!ReadUserIni()) {
        platform::ShowMessage(QString::fromLatin1(kUserIniError));
        return;
    }
    LoadPanel();
    setWindowTitle(DeviceTitle(m_strModelName.toStdString(), SessionParameters().DeviceAddress));
    SetAboutItemText();
    StartPoller();
    PruneMenuForModel();
    m_bSetUp = true;
}

// DeviceName, DevicePortNum, XMLName, IsAllGiga, IsHasFan; false (and the rest unread) as
// soon as DeviceName or XMLName is empty.
bool CModuleWindow::ReadUserIni() {
    const platform::IniFile userIni(UserIniPath());
    const QString section = QString::fromLatin1(kDeviceInfoSection);
    m_strModelName =
        userIni.ReadString(section, QStringLiteral("DeviceName"), QString(), kDeviceNameMaxLength);
    if (m_strModelName.isEmpty()) {
        return false;
    }
    DeviceValuesData& device = DeviceValues();
    device.ModelName = m_strModelName.toStdString();
    m_nPortCount = DevicePortCountOf(
        userIni.ReadInt(section, QStringLiteral("DevicePortNum"), kDefaultPortCount));
    device.DevicePortCount = m_nPortCount;
    m_nPortOffset = 0;
    m_strXmlName =
        userIni.ReadString(section, QStringLiteral("XMLName"), QString(), kFileNameMaxLength);
    if (m_strXmlName.isEmpty()) {
        return false;
    }
    const auto flag = [&](const char* key) {
        return IsYes(
            userIni.ReadString(section, QString::fromLatin1(key), QString(), kFileNameMaxLength));
    };
    device.IsAllGiga = flag("IsAllGiga");
    device.IsHasFan = flag("IsHasFan");
    return true;
}

// The panel tree from the description file, the background and the indicator bitmaps. A
// faulty file has been reported by the loader; the window goes on with what was built.
void CModuleWindow::LoadPanel() {
    m_pPanelView->LoadDescription(PanelDescriptionPath(m_strXmlName));
    if (!m_pPanelView->PanelRect().isValid()) {
        m_pPanelView->setFixedSize(kEmptyPanelWidth, kEmptyPanelHeight);
    }
    // A click on a port opens Port Configuration (once that dialog is registered).
    SetPortClickAction([this](CPort&) { OnCommand(kCmdPortConfiguration); });
}

void CModuleWindow::SetAboutItemText() {
    const QList<QAction*> popups = m_pMenuBar->actions();
    if (popups.size() <= kAboutPopupPosition || popups[kAboutPopupPosition]->menu() == nullptr) {
        return;
    }
    const QList<QAction*> items = popups[kAboutPopupPosition]->menu()->actions();
    if (!items.isEmpty()) {
        items.front()->setText(QStringLiteral("About ") + m_strModelName);
    }
}

void CModuleWindow::PruneMenuForModel() {
    const MenuPruning pruning = MenuPruningFor(m_strModelName);
    for (int id : pruning.removedIds) {
        if (QAction* item = FindCommand(*m_pMenuBar, id)) {
            RemoveItem(item);
        }
    }
    if (!pruning.removePoePopup) {
        return;
    }
    for (QAction* popup : m_pMenuBar->actions()) {
        if (popup->menu() != nullptr && popup->text() == kDeviceManager) {
            const QList<QAction*> items = popup->menu()->actions();
            if (items.size() > kPoePopupPosition) {
                RemoveItem(items[kPoePopupPosition]);
            }
            return;
        }
    }
}

void CModuleWindow::StartPoller() {
    const DeviceValuesData& device = DeviceValues();
    PollDevice pollDevice;
    pollDevice.portCount = m_nPortCount;
    pollDevice.portOffset = m_nPortOffset;
    pollDevice.isAllGiga = device.IsAllGiga;
    m_Poll.Configure(device.ModelName, pollDevice, device.IsHasFan);
    m_Poll.SetSink([this](PanelPollResult result) { PostPollResult(std::move(result)); });
    m_pPollThread = std::make_unique<CPanelDeviceThread>();
    m_pPollThread->m_pOwner = &m_Poll;
    m_pPollThread->Resume();
}

// The poller is asked to stop, its requests on the way are cut short, and it ends within
// the limit; it is never killed (should it overrun, it is waited for).
void CModuleWindow::StopPoller() {
    if (!m_pPollThread) {
        return;
    }
    m_pPollThread->Stop();
    m_Poll.CancelRequests();
    if (!m_pPollThread->WaitForEnd(kPollerStopLimit)) {
        platform::DebugTrace("CPanelDeviceThread: still running after 1000 ms, waiting for it");
    }
    m_pPollThread->Join();
    m_pPollThread.reset();
}

void CModuleWindow::BeginClosing() {
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    SaveSnapshotIfAsked();
    StopPoller();
    m_Poll.DetachSink();
}

void CModuleWindow::DestroyWindow() {
    if (m_bDestroyed) {
        return;
    }
    m_bDestroyed = true;
    platform::DebugTrace(platform::FramedTraceLine("DestroyWindow"));
    CloseAndTrace(m_cCommonSNMP, "m_cCommonSNMP");
    CloseAndTrace(m_cCommonSNMPset, "m_cCommonSNMPset");
    CloseAndTrace(m_cCommonSNMPFan, "m_cCommonSNMPFan");
    CloseAndTrace(m_cCommonSNMPPoe, "m_cCommonSNMPPoe");
    CloseAndTrace(m_cCommonSNMPDevStat, "m_cCommonSNMPDevStat");
    CloseAndTrace(m_cCommonSNMPPoeStat, "m_cCommonSNMPPoeStat");
}

void CModuleWindow::done(int result) {
    BeginClosing();
    QDialog::done(result);
}

void CModuleWindow::OnCommand(int id) {
    if (IsBusy() || m_bClosing) {
        return; // one command at a time
    }
    if (const CommandAction action = CommandActionFor(id)) {
        action(*this);
        return;
    }
    if (const CommandDialogFactory factory = CommandDialogFor(id)) {
        if (std::unique_ptr<QDialog> dialog = factory()) {
            RunCommandDialog(*dialog);
        }
    }
}

void CModuleWindow::OnSysCommand(int id) {
    if (id != kCmdSystemAbout) {
        return;
    }
    CAboutDlg about;
    about.exec();
}

void CModuleWindow::RunCommandDialog(QDialog& dialog) {
    hide();
    m_Poll.SetBusy(true);
    setWindowState(windowState() | Qt::WindowMinimized);
    dialog.exec();
    m_Poll.SetBusy(false);
    if (!m_bClosing) {
        showNormal();
    }
}

void CModuleWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_pSystemMenu->isEmpty()) {
        m_pSystemMenu->exec(event->globalPos());
    }
}

void CModuleWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Notes the first paint of the panel in the debug output, once it is done (start-up time).
bool CModuleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pPanelView && event->type() == QEvent::Paint && !m_bPanelPainted) {
        m_bPanelPainted = true;
        QTimer::singleShot(0, this, [this] {
            platform::DebugTrace(kPanelPaintedTrace);
            RunTestCommandsIfAsked(this);
        });
    }
    return QDialog::eventFilter(watched, event);
}

// The results wait in a queue of the window; the queued call carries nothing of them, so
// that every result is handed over under the queue's lock.
void CModuleWindow::PostPollResult(PanelPollResult result) {
    {
        std::lock_guard lock(m_PendingMutex);
        m_PendingResults.push_back(std::move(result));
    }
    QMetaObject::invokeMethod(this, &CModuleWindow::ApplyPendingPollResults, Qt::QueuedConnection);
}

void CModuleWindow::ApplyPendingPollResults() {
    std::vector<PanelPollResult> pending;
    {
        std::lock_guard lock(m_PendingMutex);
        pending.swap(m_PendingResults);
    }
    for (const PanelPollResult& result : pending) {
        ApplyPollResult(result);
    }
}

void CModuleWindow::ApplyPollResult(const PanelPollResult& result) {
    m_pPanelView->ApplyPollResult(result);
    ++m_nAppliedPollResults;
    emit pollResultApplied();
}

void CModuleWindow::SaveSnapshotIfAsked() {
    const QString path = SnapshotPath();
    if (path.isEmpty()) {
        return;
    }
    if (grab().save(path, "PNG")) {
        platform::DebugTrace("Snapshot: " + path.toStdString());
    } else {
        platform::DebugTrace("Snapshot: could not write " + path.toStdString());
    }
}
