#pragma once
// The small window shown while the program starts and while the main
// window builds its pages.

#include <QLabel>
#include <QWidget>

class SplashScreen : public QWidget
{
    Q_OBJECT
public:
    SplashScreen();
    // Shows the window with the text ("Initializing..." stays when empty is
    // not asked for) and paints it at once.
    void Show(const QString& text);
    QString GetText() const { return m_text->text(); }

private:
    QLabel* m_text;
};
