#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// The program's modal alert: a message, OK, a Cancel button that is hidden
// unless a caller shows it, and a "Don't remind me again" box. Exec ends
// with Accepted for OK and Rejected for Cancel or Escape; the box counts only
// when OK closed the alert.
class QZAlert : public QDialog
{
    Q_OBJECT

public:
    explicit QZAlert(const QString& message, QWidget* parent = nullptr);

    // Whether the box was ticked when OK was pressed.
    bool GetDontRemind() const { return m_dontRemind; }

    QLabel* GetMessageLabel() const { return m_message; }
    QPushButton* GetOkButton() const { return m_ok; }
    QPushButton* GetCancelButton() const { return m_cancel; }
    QCheckBox* GetDontRemindBox() const { return m_dontRemindBox; }

    void accept() override;
    // The texts are set before the alert first sizes itself, so that its
    // size fits the whole message and the buttons.
    void setVisible(bool visible) override;

protected:
    // Runs once, just before the alert is first shown: the texts from the
    // string service. Alerts of their own kind extend it.
    virtual void OnInitDialog();

private:
    QCheckBox* m_dontRemindBox;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QLabel* m_message;
    QString m_text;
    bool m_dontRemind = false;
    bool m_initialized = false;
};
