#include "output/print/ui/CTPPrintPreviewBar.h"

#include "foundation/ResourceBase.h"
#include "foundation/ui/UIStringWidgets.h"
#include "output/print/ui/PrintUiStrings.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kFirstButtonX = 1;
constexpr int kButtonY = 2;
constexpr int kExtraWidth = 25;
constexpr int kIconSize = 16;
constexpr int kPageNumberGap = 12;

} // namespace

CTPPrintPreviewBar::CTPPrintPreviewBar(QWidget* parent)
    : QWidget(parent)
    , m_print(new QPushButton(this))
    , m_pageSetup(new QPushButton(this))
    , m_close(new QPushButton(this))
    , m_pageNumber(new QLabel(this))
{
    QStyle* style = QApplication::style();
    const struct
    {
        QPushButton* button;
        int text;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        { m_print, kStrPreviewPrint, QStyle::SP_FileDialogDetailedView },
        { m_pageSetup, kStrPreviewPageSetup, QStyle::SP_FileDialogInfoView },
        { m_close, kStrPreviewClose, QStyle::SP_DialogCloseButton },
    };
    for (const auto& entry : buttons) {
        SetWindowTextById(entry.button, entry.text);
        entry.button->setIcon(style->standardIcon(entry.icon));
        entry.button->setIconSize(QSize(kIconSize, kIconSize));
        entry.button->setAutoDefault(false);
    }
    LayOutButtons();
}

void CTPPrintPreviewBar::LayOutButtons()
{
    int x = kFirstButtonX;
    int height = 0;
    for (QPushButton* button : { m_print, m_pageSetup, m_close }) {
        const QSize natural = button->sizeHint();
        button->setGeometry(x, kButtonY, natural.width() + kExtraWidth, natural.height());
        x += button->width();
        height = std::max(height, natural.height());
    }
    setFixedHeight(height + 2 * kButtonY);
    m_pageNumber->move(x + kPageNumberGap, kButtonY);
    m_pageNumber->setFixedHeight(height);
    setMinimumWidth(x + kFirstButtonX);
}

void CTPPrintPreviewBar::ShowPageNumber(int page, int count)
{
    m_pageNumber->setText(count > 0 ? LoadUIString(kStrPreviewPageOf).arg(page).arg(count) : QString());
    m_pageNumber->adjustSize();
    m_pageNumber->setFixedHeight(height() - 2 * kButtonY);
}
