#include "gridctrl/CUGNoteType.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/CUGGrid.h"

#include <QCursor>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr platform::ColorRef kNoteBack = 0xDCFFFA;
constexpr platform::ColorRef kCornerRed = 0x0000FF;

} // namespace

// ---- the pop-up window ---------------------------------------------------------------

CUGNoteTypeEWnd::CUGNoteTypeEWnd(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setFrameShape(QFrame::Box);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, platform::ToQColor(kNoteBack));
    palette.setColor(QPalette::Text, Qt::black);
    setPalette(palette);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    setFont(font);
    document()->setDocumentMargin(0);
    setViewportMargins(4, 6, 0, 0);
    hide();
}

void CUGNoteTypeEWnd::SetNoteText(const QString& text)
{
    setPlainText(text);
    fitToText();
}

// The word-wrapped size of the text and a trailing space, plus 12 pixels each way.
void CUGNoteTypeEWnd::fitToText()
{
    const QFontMetrics fm(font());
    const QRect bounds = fm.boundingRect(QRect(0, 0, CUGNoteType::kNoteWidth, 10000), Qt::TextWordWrap,
                                         toPlainText() + QLatin1Char(' '));
    resize(bounds.width() + 12, bounds.height() + 12);
}

// ---- the cell type ------------------------------------------------------------------------

CUGNoteType::CUGNoteType()
{
    m_canOverflow = 0;
    m_timer.setInterval(kTimerInterval);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { OnTimer(); });
}

CUGNoteType::~CUGNoteType()
{
    m_timer.stop();
}

QString CUGNoteType::GetName() const
{
    return QStringLiteral("Note");
}

CUGCellType::Guid CUGNoteType::GetTypeGuid() const
{
    return {0x4E, 0x4F, 0x54, 0x45, 0x54, 0x50, 0x00, 0x06, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

void CUGNoteType::createWindow()
{
    if (!m_note && m_ctrl)
        m_note = new CUGNoteTypeEWnd(m_ctrl->GetGridArea());
}

void CUGNoteType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected, int current)
{
    createWindow();
    CUGCellType::Draw(dc, rect, column, row, cell, selected, current);
    if (cell->GetLabelText().isEmpty())
        return;
    // A red right triangle in the top right corner.
    const QColor red = platform::ToQColor(kCornerRed);
    for (int i = 0; i < 6; ++i)
        dc->fillRect(QRect(rect.right - 7 + i, rect.top, 6 - i, 1).translated(0, i), red);
}

int CUGNoteType::OnMouseMove(int column, int row, const Point& point, unsigned)
{
    if (!m_ctrl)
        return 0;
    int c = column, r = row;
    Rect cell;
    m_ctrl->GetCellRectangle(&c, &r, &cell);
    const bool inside = point.x > cell.left && point.x < cell.right - 1 && point.y > cell.top && point.y < cell.bottom - 1;
    createWindow();
    if (!inside) {
        hideNote();
        return 0;
    }
    if (m_note->isVisible()) {
        if (!m_timer.isActive())
            m_note->hide();
        return 0;
    }
    m_ctrl->GetCellWithDefaults(column, row, &m_scratch);
    const QString note = m_scratch.GetLabelText();
    if (note.isEmpty())
        return 0;
    const int top = cell.top > 15 ? cell.top - 15 : cell.top;
    m_note->setGeometry(cell.right + 5, top, kNoteWidth, kNoteHeight);
    m_note->SetNoteText(note);
    m_note->raise();
    m_note->show();
    CUGGrid* area = m_ctrl->GetGridArea();
    m_cellScreenRect = QRect(area->mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.Width(), cell.Height()));
    m_timer.start();
    return 0;
}

void CUGNoteType::OnTimer()
{
    // The rectangle's edges count as inside.
    const QRect withEdges = m_cellScreenRect.adjusted(0, 0, 1, 1);
    if (!withEdges.contains(QCursor::pos()))
        hideNote();
}

void CUGNoteType::hideNote()
{
    m_timer.stop();
    if (m_note)
        m_note->hide();
}

void CUGNoteType::OnCellLostFocus(int column, int row, int)
{
    hideNote();
    if (m_ctrl)
        m_ctrl->RedrawCell(column, row);
}

void CUGNoteType::OnCurrentCellMoved(int, int, int)
{
    if (m_note && m_note->isVisible()) {
        m_note->hide();
        if (m_ctrl)
            m_ctrl->GetGridArea()->update();
    }
}
