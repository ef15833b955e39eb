#include "output/reports/ui/ReportsFrame.h"

#include "foundation/UIResources.h"
#include "foundation/UserPrefsBase.h"
#include "gridctrl/CUGRowMode.h"
#include "platform/Rect.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int kBarWidth = 6;
constexpr int kListWidth = 250;
constexpr int kCaptionHeight = 20;
constexpr int kCaptionFontPixels = 18;
constexpr int kAlignLeftCentred = 33;
constexpr int kPrefGridlines = 2036;

} // namespace

RptsListFrame::RptsListFrame(QWidget* parent)
    : QWidget(parent), m_list(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFont(GetUIResources()->GetBoldGridFont());
}

RptsGridsFrame::RptsGridsFrame(QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(this)), m_grid(new CUGRowMode(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kBarWidth);
    QFont captionFont = m_caption->font();
    captionFont.setPixelSize(kCaptionFontPixels);
    m_caption->setFont(captionFont);
    m_caption->setFixedHeight(kCaptionHeight);
    m_caption->setAutoFillBackground(true);
    m_caption->setBackgroundRole(QPalette::Button);
    m_caption->setForegroundRole(QPalette::ButtonText);
    layout->addWidget(m_caption);
    m_grid->CreateGrid(0, platform::Rect(0, 0, 400, 300), this, 1);
    layout->addWidget(m_grid, 1);

    m_grid->SetReadOnly(true);
    m_grid->SetDefaultFont(&GetUIResources()->GetGridFont());
    m_grid->EnableColumnSwap(true);
    // The columns keep the widths the report fits them to.
    m_grid->SetCornerButtonSizing(0);
    CUGCell cell;
    m_grid->GetGridDefault(&cell);
    cell.SetReadOnly(1);
    cell.SetAlignment(kAlignLeftCentred);
    m_grid->SetGridDefault(&cell);
    m_grid->GetHeadingDefault(&cell);
    cell.SetAlignment(kAlignLeftCentred);
    m_grid->SetHeadingDefault(&cell);
    ApplyGridlinesPref();
}

void RptsGridsFrame::ApplyGridlinesPref()
{
    const UserPrefsBase* prefs = GetUserPrefs();
    m_grid->SetGridLines(!prefs || prefs->GetFlag(kPrefGridlines));
    m_grid->update();
}

void RptsGridsFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_grid->FitColumnsByMode();
}

ReportsFrame::ReportsFrame(QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), m_listPane(new RptsListFrame(this)), m_gridPane(new RptsGridsFrame(this))
{
    setHandleWidth(kBarWidth);
    setChildrenCollapsible(true);
    setOpaqueResize(true);
    addWidget(m_listPane);
    addWidget(m_gridPane);
    setStretchFactor(1, 1);
}

void ReportsFrame::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (!m_sized && width() > kListWidth) {
        m_sized = true;
        setSizes({kListWidth, width() - kListWidth - handleWidth()});
    }
}
