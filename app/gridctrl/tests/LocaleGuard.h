#pragma once
// Pins the default locale for a test and restores the previous one.

#include <QLocale>

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : m_saved(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};
