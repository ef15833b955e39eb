#pragma once
// The about box: the version, a notice and where to get support.

#include <QDialog>

class QLabel;

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QString GetVersionLine() const;
    QString GetSupportLine() const;

private:
    QLabel* m_version;
    QLabel* m_support;
};
