#include "shell/SplashScreen.h"

#include <QVBoxLayout>

SplashScreen::SplashScreen()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_text(new QLabel(QStringLiteral("Initializing..."), this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(58, 131, 238));
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    auto* title = new QLabel(QStringLiteral("Kerfwell Plus Solo"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    m_text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 1);
    layout->addWidget(m_text);
    resize(393, 151);
}

void SplashScreen::Show(const QString& text)
{
    m_text->setText(text);
    show();
    repaint();
}
