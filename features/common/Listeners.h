// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The handlers of one event (a walk's row, its end, a request's answer), each tied to the
// lifetime of a receiver as a Qt connection is: a receiver that is gone is never called, so
// nobody unhooks anything by hand. A receiver has one handler per event; adding another
// replaces it, adding an empty one removes it.
//
//   CListeners<const SnmpRow&> m_onRow;
//   m_onRow.Add(dialog, [dialog](const SnmpRow& row) { ... });
//   m_onRow.Notify(row);   // the owner's thread, which is the receivers' thread too
#pragma once

#include <QObject>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <vector>

template <class... Args> class CListeners {
public:
    using Handler = std::function<void(Args...)>;

    void Add(const QObject* receiver, Handler handler) {
        Prune();
        auto existing = std::find_if(m_listeners.begin(), m_listeners.end(),
                                     [&](const Listener& l) { return l.receiver == receiver; });
        if (existing != m_listeners.end()) {
            existing->handler = std::move(handler);
        } else if (handler) {
            m_listeners.push_back({QPointer<const QObject>(receiver), std::move(handler)});
        }
    }

    // Every handler whose receiver still exists, in the order they were added. A handler may
    // add or remove listeners; those take effect from the next event on.
    void Notify(Args... args) {
        const std::vector<Listener> listeners = m_listeners;
        for (const Listener& listener : listeners) {
            if (!listener.receiver.isNull() && listener.handler && StillListening(listener)) {
                listener.handler(args...);
            }
        }
    }

    // For one event only: the handlers are forgotten once called (or their receiver is gone).
    void NotifyOnce(Args... args) {
        std::vector<Listener> listeners;
        listeners.swap(m_listeners);
        for (const Listener& listener : listeners) {
            if (!listener.receiver.isNull() && listener.handler) {
                listener.handler(args...);
            }
        }
    }

private:
    struct Listener {
        QPointer<const QObject> receiver;
        Handler handler;
    };

    // A handler removed by an earlier one of the same event is not called.
    bool StillListening(const Listener& listener) const {
        return std::any_of(m_listeners.begin(), m_listeners.end(), [&](const Listener& l) {
            return l.receiver == listener.receiver && l.handler;
        });
    }

    void Prune() {
        std::erase_if(m_listeners, [](const Listener& l) { return l.receiver.isNull(); });
    }

    std::vector<Listener> m_listeners;
};
