// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CPanelItem: one element of the front panel (root, face, port, lamp, ...), with its
// rectangle in the panel's client pixels, its bitmap, its status and its children. The
// objects are used on the UI thread only.
#pragma once

#include "panel/Dib.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

#include <memory>
#include <string_view>
#include <vector>

class QPainter;
class QWidget;

// The vocabularies of the panel description file.
enum PortStatus : int {
    PortLink100 = 0,  // "PORTLINK100": link up below the port's top speed
    PortLink10 = 1,   // "PORTLINK10": link up at the port's top speed, or PoE powered
    PortDisabled = 2, // "PORTDISABLED": administratively down, or PoE off
    PortEnable = 3,   // "PORTENABLE": enabled, no link
    PortEmpty = 4,    // "PORTEMPTY": nothing fitted
};
enum LampStatus : int { LampOn = 0, Lamp1G = 1, LampOff = 2 };
enum LampType : int { LampLink = 0, LampS100M = 1, LampPower = 2, LampConsole = 3 };

// The cursor the panel wants over the point last reported by OnMouseMove.
enum class PanelCursor { Unchanged, Arrow, Hand };

class CStatusObserver;

// The status a port (or console) shows to its lamps. Observers are not owned.
class CStatusSubject {
public:
    void Attach(CStatusObserver* observer) { m_Observers.push_back(observer); }
    const std::vector<CStatusObserver*>& Observers() const { return m_Observers; }
    int Value() const { return m_nValue; }
    void SetValue(int value) { m_nValue = value; }

private:
    std::vector<CStatusObserver*> m_Observers;
    int m_nValue = 0;
};

class CStatusObserver {
public:
    virtual ~CStatusObserver() = default;
    CStatusSubject* Subject() const { return m_pSubject; }
    void SetSubject(CStatusSubject* subject) { m_pSubject = subject; }
    // Reads the subject's current value.
    virtual void Update() = 0;

protected:
    CStatusSubject* m_pSubject = nullptr;
};

class CPanelItem {
public:
    static constexpr int kMaxBitmapName = 99;

    CPanelItem();
    // Deletes the children, last added first.
    virtual ~CPanelItem();
    CPanelItem(const CPanelItem&) = delete;
    CPanelItem& operator=(const CPanelItem&) = delete;

    // The class name FindChild compares with.
    virtual const char* RuntimeClassName() const { return "CObject"; }
    virtual CStatusSubject* StatusSubject() { return nullptr; }

    // Arrow cursor when the point lies inside the hit rectangle.
    // Points are in panel pixels; on a scaled screen they may lie between two of them.
    virtual void OnMouseMove(const QPointF& point, PanelCursor& cursor);
    virtual void SetType(int /*type*/) {}
    // Loads the element's bitmap; true when it loaded.
    virtual bool Initialize();
    // Draws the bitmap stretched into the rectangle on the paint context.
    virtual void Draw();
    virtual void OnLButtonDown(const QPointF& /*point*/) {}
    // Stores the status; marks the element dirty only when it changes.
    virtual void SetStatus(int status);

    void SetRect(int left, int top, int width, int height);
    QRect GetRect() const { return QRect(m_nLeft, m_nTop, m_nWidth, m_nHeight); }
    // Strictly inside the rectangle shrunk by 2 pixels on every side: a point on the
    // shrunk rectangle's edge is outside.
    bool HitTest(const QPointF& point) const;

    void SetIdentifier(const QString& identifier) { m_Identifier = identifier; }
    const QString& Identifier() const { return m_Identifier; }
    void SetName(const QString& name) { m_Name = name; }
    const QString& GetName() const { return m_Name; }
    // Keeps at most kMaxBitmapName characters.
    void SetBitmapName(const QString& name) { m_BitmapName = name.left(kMaxBitmapName); }
    const QString& GetBitmapName() const { return m_BitmapName; }
    // Relative bitmap names are taken from this folder (the description file's).
    void SetBitmapFolder(const QString& folder) { m_BitmapFolder = folder; }
    QString BitmapPath(const QString& name) const;

    int GetStatus() const { return m_nStatus; }
    bool IsDirty() const { return m_bDirty; }

    void AddChild(std::unique_ptr<CPanelItem> child);
    int ChildCount() const { return static_cast<int>(m_Children.size()); }
    CPanelItem* GetChild(int index) const;
    // The n-th (from 0) direct child whose class name is `className`, or none.
    CPanelItem* FindChild(std::string_view className, int n) const;

    // Recursive: the window the panel is drawn in, its client rectangle as reference.
    void AttachOwner(QWidget* owner);
    QWidget* Owner() const { return m_pOwner; }
    // Recursive: where Draw paints during a background paint (none outside it).
    void SetPaintContext(QPainter* painter);
    QPainter* PaintContext() const { return m_pPaintContext; }
    // Each direct child draws itself; its dirty flag is cleared.
    void DrawChildren();

    const CDib& Bitmap() const { return m_Dib; }

protected:
    bool LoadBitmap(const QString& name);
    // Asks the owner window to repaint the element's rectangle.
    void Invalidate() const;

    std::vector<std::unique_ptr<CPanelItem>> m_Children;
    QString m_Identifier;
    QString m_Name = QStringLiteral("VirtualDev");
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nReferenceWidth = 0;
    int m_nReferenceHeight = 0;
    QRect m_ClientRect;
    int m_nStatus = 0;
    bool m_bDirty = true;
    QPainter* m_pPaintContext = nullptr;
    QWidget* m_pOwner = nullptr;
    QString m_BitmapName;
    QString m_BitmapFolder;
    CDib m_Dib;
};
