// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The element classes of the panel tree, one per element of the panel description file.
#pragma once

#include "panel/PanelItem.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CPort;

// What a click on a numbered port does after the port-clicked broadcast (the module window
// opens Port Configuration). Process-wide; set and called on the UI thread.
using PortClickAction = std::function<void(CPort& port)>;
void SetPortClickAction(PortClickAction action);

// The root: the whole front view (a member of the module window).
class CDevModule : public CPanelItem {
public:
    const char* RuntimeClassName() const override { return "CDevModule"; }
    CStatusSubject* StatusSubject() override { return &m_Subject; }
    void OnMouseMove(const QPointF& point, PanelCursor& cursor) override;
    bool Initialize() override { return true; }
    void Draw() override {}
    void OnLButtonDown(const QPointF& point) override;

private:
    CStatusSubject m_Subject;
};

// A panel face.
class CPanel : public CPanelItem {
public:
    const char* RuntimeClassName() const override { return "CPanel"; }
    CStatusSubject* StatusSubject() override { return &m_Subject; }

private:
    CStatusSubject m_Subject;
};

class CModule : public CPanelItem {
public:
    const char* RuntimeClassName() const override { return "CModule"; }
    CStatusSubject* StatusSubject() override { return &m_Subject; }
    // Every direct CPort child to "enabled, no link"; direct CModule children likewise.
    void ResetPorts();

private:
    CStatusSubject m_Subject;
};

using CModuleList = std::vector<std::unique_ptr<CModule>>;

class CSlot : public CPanelItem {
public:
    const char* RuntimeClassName() const override { return "CSlot"; }
};

class CPort : public CPanelItem {
public:
    static constexpr int kStates = 5;

    const char* RuntimeClassName() const override { return "CPort"; }
    CStatusSubject* StatusSubject() override { return &m_Subject; }
    void OnMouseMove(const QPointF& point, PanelCursor& cursor) override;
    // Loads the bitmap of the current status; on success the lamps' subject value follows.
    bool Initialize() override;
    void OnLButtonDown(const QPointF& point) override;
    // A new status tells every lamp what to show, then loads the status's bitmap.
    void SetStatus(int status) override;

    void SetStateBitmap(int status, const QString& name);
    QString StateBitmap(int status) const;
    // The number broadcast on a click (the port number for the panel's numbered ports).
    int PortIdentifier() const { return m_nPortIdentifier; }
    void SetPortIdentifier(int identifier) { m_nPortIdentifier = identifier; }

private:
    CStatusSubject m_Subject;
    std::array<QString, kStates> m_StateBitmaps;
    int m_nPortIdentifier = 0;
};

// Console, master, redundant power and fan sockets: a click starts Telnet to the device.
class CCom : public CPanelItem {
public:
    const char* RuntimeClassName() const override { return "CCom"; }
    CStatusSubject* StatusSubject() override { return &m_Subject; }
    void OnMouseMove(const QPointF& point, PanelCursor& cursor) override;
    // Passes the own status to the lamps.
    bool Initialize() override;
    void OnLButtonDown(const QPointF& point) override;

private:
    CStatusSubject m_Subject;
};

// Owns lamps, draws nothing itself; has no class name of its own.
class CPower : public CPanelItem {
public:
    CStatusSubject* StatusSubject() override { return &m_Subject; }
    bool Initialize() override;
    void Draw() override {}

private:
    CStatusSubject m_Subject;
};

class CLamp : public CPanelItem, public CStatusObserver {
public:
    static constexpr int kStates = 4;

    CLamp();
    const char* RuntimeClassName() const override { return "CLamp"; }
    void SetType(int type) override { m_nType = type; }
    bool Initialize() override;
    // Draws the bitmap named for its status, unscaled, at its top left corner.
    void Draw() override;
    // Subject value 0 or 1 shows as that lamp status, anything else as off.
    void Update() override;

    bool IsType(int type) const { return m_nType == type; }
    int Type() const { return m_nType; }
    // Registers with a port or console; under anything else only remembers it.
    void AttachTo(CPanelItem* enclosing);
    CPanelItem* Enclosing() const { return m_pEnclosing; }
    void SetStatusBitmap(int status, const QString& name);

private:
    int m_nType = LampLink;
    CPanelItem* m_pEnclosing = nullptr;
    std::array<QString, kStates> m_StatusBitmaps;
    QString m_LoadedName;
};

class CLed : public CPanelItem, public CStatusObserver {
public:
    static constexpr int kValues = 10;

    CLed();
    const char* RuntimeClassName() const override { return "CLed"; }
    // Loads the bitmap of the current value; a value above 9 loads nothing.
    bool Initialize() override;
    void Update() override { Invalidate(); }

    void SetBitmap(int index, const QString& name);
    QString BitmapFor(int index) const;
    int Value() const { return m_nValue; }
    void SetValue(int value) { m_nValue = value; }

private:
    std::array<QString, kValues> m_Bitmaps;
    int m_nValue = 0;
};

// The panel after the port walk timed out: the first 48 numbered ports enabled without
// link, ports 49 to 52 empty, later ones untouched; modules reset their ports.
void ResetPanelAfterTimeout(CDevModule& root);

// The n-th (from 1) numbered port: the n-th CPort among the root's direct children.
CPort* NumberedPort(const CPanelItem& root, int portNumber);
