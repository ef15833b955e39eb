#pragma once
// Projects handed over by later starts wait here until the program is free
// to open one: never inside the socket's handler, and never while a run, a
// modal dialog or a popup menu has its own event loop running (opening a
// project there would free what that loop still works on). Everything that
// waits is served together: the first name is opened, the others reported.

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

// The names of handed-over projects that were not opened, one a line, as a
// message box can show them: a screenful at most, each as the user is shown
// a name (DisplayFileName) and shortened in the middle when very long, then
// the count of the others (a start may hand over a thousand long names).
// andMore: the last line, with %1 for that count.
QString NotOpenedNamesText(const QStringList& paths, const QString& andMore);

class HandOverQueue : public QObject
{
    Q_OBJECT
public:
    // busy: whether serving must wait now; serve: gets every waiting name.
    HandOverQueue(std::function<bool()> busy, std::function<void(const QStringList& paths)> serve,
                  QObject* parent = nullptr);

    // Queues the names; they are served from the event loop, not from here.
    void Add(const QStringList& paths);
    bool IsWaiting() const { return !m_waiting.isEmpty(); }
    // Every waiting name, for the caller to serve now.
    QStringList Take();

private:
    void TryServe();

    std::function<bool()> m_busy;
    std::function<void(const QStringList&)> m_serve;
    QStringList m_waiting;
    QTimer m_timer;
    bool m_serving = false;
};
