#pragma once
// A modal dialog asked for from inside other work (the skipped-parts warning
// that an optimization leaves behind while a print goes on to its file
// prompt): it is shown from the event loop, and only once no modal dialog or
// popup is up, so that two modal dialogs never stand one on the other.
// Asked for again before it showed, it shows once.

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

class DeferredDialog : public QObject
{
    Q_OBJECT
public:
    // show: runs the dialog to its end.
    explicit DeferredDialog(std::function<void()> show, QObject* parent = nullptr);

    void Request();
    bool IsPending() const { return m_pending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TryShow();
    void TryShowLater();

    std::function<void()> m_show;
    bool m_pending = false;
    // The dialog or popup that is up; the next try comes when it goes.
    QPointer<QWidget> m_blocker;
};
