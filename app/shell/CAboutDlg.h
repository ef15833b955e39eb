#pragma once
// The about box: the version, a notice and where to get support.

#include <QDialog>

#include <functional>

class QLabel;

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QString GetVersionLine() const;
    QString GetSupportLine() const;
    // A double click on the program's name opens the support tools; the hook
    // stops the main view from writing the grid state at exit.
    void SetSupportToolsHook(std::function<void()> skipGridStateSave)
    {
        m_skipGridStateSave = std::move(skipGridStateSave);
    }
    void OpenSupportTools();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_version;
    QLabel* m_support;
    QLabel* m_title;
    std::function<void()> m_skipGridStateSave;
};
