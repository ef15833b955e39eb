#include "gridctrl/CUGDropListType.h"

#include "gridctrl/CUGCtrl.h"
#include "gridctrl/PaintHelpers.h"
#include "gridctrl/CUGGrid.h"
#include "gridctrl/GridKeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

using platform::SystemColor;
using platform::SystemColorRef;
using platform::ToQColor;

namespace {

constexpr int kNotOpen = -1;
constexpr int kJustClosed = -2;

bool contains(const platform::Rect& r, const platform::Point& p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

// ---- the pop-up list ---------------------------------------------------------------

CUGLstBox::CUGLstBox(CUGCtrl* grid, CUGDropListType* owner, QWidget* parent)
    : QListWidget(parent)
    , m_grid(grid)
    , m_owner(owner)
{
    setFrameShape(QFrame::Box);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setAttribute(Qt::WA_DeleteOnClose);
}

// The owner's notifications of a choice may open a message box, whose event
// loop runs the list's focus-out and deletes what was closed, or change the
// grid under the list. The list therefore stays until the handler that
// chose has returned: a close inside a handler only hides it.
class CUGLstBox::HandlerScope
{
public:
    explicit HandlerScope(CUGLstBox& list)
        : m_list(list)
    {
        ++m_list.m_handlers;
    }
    ~HandlerScope()
    {
        if (--m_list.m_handlers == 0 && m_list.m_closing)
            m_list.deleteLater();
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    CUGLstBox& m_list;
};

void CUGLstBox::keyPressEvent(QKeyEvent* event)
{
    const HandlerScope scope(*this);
    switch (event->key()) {
    case Qt::Key_Escape:
        close(false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        CUGGrid* const area = m_grid->GetGridArea();
        choose();
        // Tab goes on to the grid's own keys: the next cell.
        QKeyEvent tab(QEvent::KeyPress, event->key(), event->modifiers());
        QCoreApplication::sendEvent(area, &tab);
        return;
    }
    case Qt::Key_Backspace:
        if (!m_typed.isEmpty())
            SetTypedPrefix(m_typed.chopped(1));
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed) {
        SetTypedPrefix(m_typed + text);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CUGLstBox::SetTypedPrefix(const QString& prefix)
{
    m_typed = prefix;
    if (m_typed.isEmpty())
        return;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().startsWith(m_typed, Qt::CaseInsensitive)) {
            setCurrentRow(i);
            return;
        }
    }
    // No item begins with it: the highlight stays where it was.
}

void CUGLstBox::mouseReleaseEvent(QMouseEvent* event)
{
    const HandlerScope scope(*this);
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        choose();
}

void CUGLstBox::focusOutEvent(QFocusEvent* event)
{
    const HandlerScope scope(*this);
    QListWidget::focusOutEvent(event);
    // The focus went elsewhere: the list goes without taking it back.
    if (!m_closing)
        close(m_chosen, false);
}

// Everything the choice needs is read first and the list is closed before
// the owner hears of it: nothing of the list is read after a notification.
void CUGLstBox::choose()
{
    QListWidgetItem* item = currentItem();
    if (!item || !item->isSelected()) {
        close(false);
        return;
    }
    CUGCtrl* const grid = m_grid;
    CUGDropListType* const owner = m_owner;
    const int column = owner->m_openColumn;
    const int row = owner->m_openRow;
    const int position = this->row(item);
    QString text = item->text();
    m_chosen = true;
    close(true);

    CUGCell cell;
    grid->GetCellWithDefaults(column, row, &cell);
    if (cell.GetReadOnly())
        return;
    const int index = owner->GetTypeIndex();
    const long long textParameter = reinterpret_cast<long long>(&text);
    owner->Notify(index, column, row, CUGDropListType::kMessageChosenPosition, position);
    if (owner->Notify(index, column, row, CUGDropListType::kMessageChoosing, textParameter) == 0)
        return;
    CUGCell stored;
    grid->GetCell(column, row, &stored);
    stored.SetText(text);
    grid->SetCell(column, row, &stored);
    owner->Notify(index, column, row, CUGDropListType::kMessageChosen, textParameter);
    grid->RedrawCell(column, row);
}

void CUGLstBox::close(bool chosen, bool focusGrid)
{
    if (m_closing)
        return;
    m_closing = true;
    m_shown = false;
    m_owner->m_openColumn = chosen ? kNotOpen : kJustClosed;
    m_owner->m_openRow = chosen ? kNotOpen : kJustClosed;
    hide();
    if (focusGrid)
        m_grid->GetGridArea()->setFocus();
    m_grid->GetGridArea()->update();
    if (m_handlers == 0)
        deleteLater();
}

// ---- the cell type --------------------------------------------------------------------

CUGDropListType::CUGDropListType()
    : m_buttonWidth(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent))
{
    m_drawsNormally = 0;
    m_canOverflow = 0;
}

CUGDropListType::~CUGDropListType()
{
    delete m_list.data();
}

QString CUGDropListType::GetName() const
{
    return QStringLiteral("DropList");
}

CUGCellType::Guid CUGDropListType::GetTypeGuid() const
{
    return {0x44, 0x52, 0x4F, 0x50, 0x4C, 0x53, 0x00, 0x03, 0x9A, 0x51, 0x3C, 0x27, 0x61, 0x0B, 0xD4, 0x10};
}

CUGLstBox* CUGDropListType::GetListBox() const
{
    return m_list && m_list->IsShown() ? m_list.data() : nullptr;
}

QStringList CUGDropListType::SplitItems(const QString& label)
{
    QStringList items = label.split(QLatin1Char('\n'));
    // Text after the last line feed is no item.
    items.removeLast();
    return items;
}

CUGCellType::Rect CUGDropListType::buttonRect(const Rect& cell) const
{
    return Rect(std::max(cell.left, cell.right - m_buttonWidth), cell.top, cell.right, cell.bottom);
}

void CUGDropListType::Draw(QPainter* dc, const Rect& rect, int column, int row, CUGCell* cell, int selected,
                           int current)
{
    const int style = cell->GetCellTypeStyle() < 0 ? 0 : cell->GetCellTypeStyle();
    if ((style & kButtonOnCurrentOnly) && !current) {
        CUGCellType::Draw(dc, rect, column, row, cell, selected, current);
        return;
    }
    Rect inner;
    DrawBorder(dc, rect, &inner, cell);
    const Rect button = buttonRect(inner);
    const QRect b = gridctrl::ToQRect(button);
    const QColor face = ToQColor(SystemColorRef(SystemColor::ButtonFace));
    const QColor light = ToQColor(SystemColorRef(SystemColor::ButtonHighlight));
    const QColor shadow = ToQColor(SystemColorRef(SystemColor::ButtonShadow));
    const bool pressed = m_pressed && current;
    dc->fillRect(b, face);
    if (b.width() > 1 && b.height() > 1) {
        dc->setPen(pressed ? shadow : light);
        dc->drawLine(b.topLeft(), b.topRight());
        dc->drawLine(b.topLeft(), b.bottomLeft());
        dc->setPen(pressed ? light : shadow);
        dc->drawLine(b.bottomLeft(), b.bottomRight());
        dc->drawLine(b.topRight(), b.bottomRight());
    }
    if (!gridctrl::PaintsOnPrinter(dc)) {
        const int cx = b.left() + b.width() / 2 - 2 + (pressed ? 1 : 0);
        const int cy = b.top() + b.height() / 2 - 1 + (pressed ? 1 : 0);
        auto triangle = [&](int dx, int dy, const QColor& color) {
            for (int i = 0; i < 3; ++i)
                dc->fillRect(QRect(cx + dx + i, cy + dy + i, 5 - 2 * i, 1), color);
        };
        if (cell->GetReadOnly()) {
            triangle(1, 1, Qt::white);
            triangle(0, 0, QColor(0x80, 0x80, 0x80));
        } else {
            triangle(0, 0, Qt::black);
        }
    }
    Rect text = inner;
    text.right = button.left;
    DrawText(dc, text, 0, column, row, cell, selected, current);
}

void CUGDropListType::AdjustEditRect(Rect* rect)
{
    rect->right -= m_buttonWidth + 1;
}

void CUGDropListType::GetBestSize(QPainter* dc, QSize* size, CUGCell* cell)
{
    // Room for the button even where it shows on the current cell only: a
    // column fitted to its texts would otherwise hide their ends under it.
    CUGCellType::GetBestSize(dc, size, cell);
    size->setWidth(size->width() + m_buttonWidth);
}

int CUGDropListType::OnLeftButton(int column, int row, int down, const Rect& rect, const Point& point)
{
    if (!m_ctrl)
        return 0;
    const CUGGridInfo* gi = m_ctrl->GetSheetInfo();
    if (gi->m_multiSelectFlag && (m_ctrl->IsShiftHeld() || m_ctrl->IsCtrlHeld()))
        return 1;
    if (down) {
        const Rect button = buttonRect(rect);
        if (contains(button, point)) {
            if (GetListBox() && m_openColumn == column && m_openRow == row) {
                m_list->close(false);
                // This very click closed it: the next one opens it again.
                m_openColumn = m_openRow = kNotOpen;
                return 0;
            }
            // The click that closed this cell's list must not open it again.
            if (m_openColumn == kJustClosed) {
                m_openColumn = m_openRow = kNotOpen;
                return 1;
            }
            m_buttonRect = button;
            m_pressed = true;
            m_openColumn = column;
            m_openRow = row;
            m_ctrl->RedrawCell(column, row);
            openList(QString());
            return 1;
        }
        if (m_openColumn == kJustClosed)
            m_openColumn = m_openRow = kNotOpen;
        return 0;
    }
    if (m_pressed) {
        m_pressed = false;
        m_ctrl->RedrawCell(column, row);
        return 1;
    }
    return 0;
}

int CUGDropListType::OnDoubleClick(int column, int row, const Rect& rect, const Point& point)
{
    if (contains(buttonRect(rect), point))
        return OnLeftButton(column, row, 1, rect, point);
    return 1;
}

int CUGDropListType::OnMouseMove(int column, int row, const Point& point, unsigned buttons)
{
    if (!(buttons & 1) || !m_ctrl)
        return 0;
    const bool inside = contains(m_buttonRect, point);
    if (inside != m_pressed) {
        m_pressed = inside;
        m_ctrl->RedrawCell(column, row);
    }
    return 1;
}

bool CUGDropListType::IsOpeningKey(int key) const
{
    if (key == gridkey::Return)
        return true;
    if (!m_ctrl)
        return false;
    // Alt+Down and F4 open a drop list everywhere on the desktop; Ctrl+Down
    // is the grid's own. None of them may move on to the next row (on the
    // last row that would append one).
    if (key == gridkey::Down)
        return m_ctrl->IsCtrlHeld() || m_ctrl->IsAltHeld();
    return key == gridkey::F4 && !m_ctrl->IsShiftHeld() && !m_ctrl->IsCtrlHeld() && !m_ctrl->IsAltHeld();
}

int CUGDropListType::OnKeyDown(int column, int row, int* key)
{
    if (IsOpeningKey(*key)) {
        m_openColumn = column;
        m_openRow = row;
        openList(QString());
        *key = 0;
        return 1;
    }
    return 0;
}

int CUGDropListType::OnChar(int column, int row, int* character)
{
    if (*character == 13 || *character == 40)
        return 1;
    if (*character >= 65 && *character <= 122) {
        m_openColumn = column;
        m_openRow = row;
        openList(QString(QChar(static_cast<char16_t>(*character))));
        return 1;
    }
    return 0;
}

void CUGDropListType::OnCellLostFocus(int, int, int)
{
    m_openColumn = m_openRow = kNotOpen;
    if (GetListBox())
        m_list->close(false);
}

int CUGDropListType::openList(const QString& prefix)
{
    if (!m_ctrl || GetListBox())
        return 1;
    const int column = m_ctrl->GetCurrentColumn();
    const int row = m_ctrl->GetCurrentRow();
    m_openColumn = column;
    m_openRow = row;
    m_ctrl->GetCellWithDefaults(column, row, &m_scratch);
    if (m_scratch.GetReadOnly()) {
        m_pressed = false;
        return 1;
    }
    QStringList items = SplitItems(m_scratch.GetLabelText());
    if (Notify(m_typeIndex, column, row, kMessageOpening, reinterpret_cast<long long>(&items)) == 0) {
        m_pressed = false;
        m_ctrl->RedrawCell(column, row);
        return 1;
    }

    QFont font;
    if (const QFont* own = m_scratch.GetFont())
        font = *own;
    else if (const QFont* grid = m_ctrl->GetDefaultFont())
        font = *grid;
    else
        font = QApplication::font();
    int itemHeight = QFontInfo(font).pixelSize();
    if (itemHeight <= 0)
        itemHeight = 12;

    int c = column, r = row;
    Rect cellRect;
    m_ctrl->GetCellRectangle(&c, &r, &cellRect);
    CUGGrid* area = m_ctrl->GetGridArea();
    const int count = static_cast<int>(items.size());
    // At least as wide as the cell, and wide enough for the longest item,
    // with room for the frame and a scroll bar when one shows.
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& text : items)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const int scrollBar
        = count > kMaxVisibleItems ? area->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int width = std::max(cellRect.Width(), widest + 2 * metrics.averageCharWidth() + scrollBar + 6);
    QRect box(cellRect.left + 10, cellRect.bottom, width, itemHeight * std::min(count, kMaxVisibleItems) + 6);
    if (box.bottom() >= area->height())
        box.moveBottom(area->height() - 1);
    if (box.right() >= area->width())
        box.moveRight(area->width() - 1);
    box.moveTop(std::max(0, box.top()));
    box.moveLeft(std::max(0, box.left()));

    auto* list = new CUGLstBox(m_ctrl, this, area);
    list->setFont(font);
    list->setGeometry(box);
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, list);
        item->setSizeHint(QSize(box.width(), itemHeight));
    }
    // The list opens on the cell's value, or on the item the typed letter
    // begins.
    const int current = static_cast<int>(items.indexOf(m_scratch.GetText()));
    if (current >= 0)
        list->setCurrentRow(current);
    list->SetTypedPrefix(prefix);
    if (list->currentItem())
        list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
    m_list = list;
    list->m_shown = true;
    list->show();
    list->raise();
    list->setFocus();
    m_pressed = false;
    m_ctrl->RedrawCell(column, row);
    return 0;
}
