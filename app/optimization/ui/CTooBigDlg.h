#pragma once
// The warning after a run that left copies of parts unplaced. Its check box
// switches the warning off for good, but only when the user confirms with OK.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class CTooBigDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTooBigDlg(QWidget* parent = nullptr);

    QCheckBox* GetDontShowAgain() const { return m_dontShowAgain; }
    QPushButton* GetOkButton() const { return m_ok; }
    QLabel* GetMessage() const { return m_message; }

    void accept() override;

private:
    QLabel* m_message = nullptr;
    QCheckBox* m_dontShowAgain = nullptr;
    QPushButton* m_ok = nullptr;
};
