#include "layouts/ui/ThumbnailsZoneMgr.h"

#include "foundation/LocaleFormat.h"
#include "foundation/ResourceBase.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/LayoutsStrings.h"
#include "optimization/OptimizationStrings.h"
#include "layouts/ui/ThumbnailsZone.h"
#include "layouts/ui/ThumbsPanel.h"
#include "optimization/StackOrders.h"

#include <algorithm>

namespace {

// The tooltip of each packing strategy; any other value reads as the first.
int PackingTipId(std::uint32_t packing)
{
    switch (packing) {
    case 1:
        return kStrBalanceLowWaste;
    case 2:
        return kStrAlignParts;
    case 3:
        return kStrAlignmentOverCost;
    default:
        return kStrPackTightly;
    }
}

} // namespace

ThumbnailsZoneMgr::ThumbnailsZoneMgr(IThumbnailsOwner* owner)
    : m_owner(owner)
{ }

ThumbnailsZoneMgr::~ThumbnailsZoneMgr()
{
    if (m_zone)
        m_zone->SetManager(nullptr);
}

void ThumbnailsZoneMgr::AttachZone(std::shared_ptr<ThumbnailsZone> zone)
{
    if (m_zone)
        m_zone->SetManager(nullptr);
    m_zone = std::move(zone);
    if (m_zone)
        m_zone->SetManager(this);
}

void ThumbnailsZoneMgr::SetDiagrams(
    ThumbnailChoice& out, const StackList& stacks, const DisplayDiagramPtr& preferred, int kind)
{
    m_labelKind = kind;
    // The same list and order as the diagram numbers, so that number n is
    // thumbnail n.
    m_diagrams.clear();
    ExpandStacks(stacks, !LayoutPrefFlag(LayoutPref::HideLayoutDupes), m_diagrams);
    SortDisplayDiagrams(m_diagrams);

    int index = 0;
    if (preferred) {
        const auto found = std::find_if(m_diagrams.begin(), m_diagrams.end(),
            [&](const DisplayDiagramPtr& d) { return *d == *preferred; });
        if (found != m_diagrams.end())
            index = static_cast<int>(found - m_diagrams.begin());
    }

    m_sizedWidth = ColumnWidth();
    m_thumbnails = SizeThumbnails(m_diagrams, ThumbnailBox(m_sizedWidth));

    QString text;
    int tipId = 0;
    if (!m_diagrams.empty()) {
        const std::uint32_t word = m_owner->GetOptimizationSettings().GetWordByCode(m_labelKind);
        const int shown = word >= 1 && word <= 3 ? static_cast<int>(word) : 0;
        text = QStringLiteral("%1: %2").arg(LoadUIString(kStrPackingStrategy), FormatInteger(1 + shown));
        tipId = PackingTipId(word);
    }
    if (m_zone) {
        m_zone->SetThumbnails(m_thumbnails, text, tipId);
        m_zone->EnableButtons(!m_diagrams.empty(), AnyChecked());
        if (!m_diagrams.empty())
            m_zone->Panel()->BringIntoView(index);
    }
    out.diagram = m_diagrams.empty() ? nullptr : m_diagrams[static_cast<std::size_t>(index)];
    out.index = index;
}

int ThumbnailsZoneMgr::ColumnWidth() const
{
    return m_zone ? m_zone->Panel()->ClientRect().width() : 0;
}

void ThumbnailsZoneMgr::FitThumbnailsToColumn()
{
    if (!m_zone || m_diagrams.empty() || ColumnWidth() == m_sizedWidth)
        return;
    m_sizedWidth = ColumnWidth();
    m_thumbnails = SizeThumbnails(m_diagrams, ThumbnailBox(m_sizedWidth));
    ThumbsPanel* panel = m_zone->Panel();
    panel->SetThumbnails(m_thumbnails);
    panel->BringIntoView(std::clamp(m_owner->GetCurrentDiagramIndex(), 0, GetThumbnailCount() - 1));
}

void ThumbnailsZoneMgr::Refresh(bool scrollToCurrent)
{
    if (!m_zone)
        return;
    if (scrollToCurrent && !m_diagrams.empty())
        m_zone->Panel()->BringIntoView(m_owner->GetCurrentDiagramIndex());
    m_zone->update();
    m_zone->Panel()->update();
}

void ThumbnailsZoneMgr::Clear()
{
    ThumbnailChoice ignored;
    SetDiagrams(ignored, {}, nullptr, 0);
}

DisplayDiagramPtr ThumbnailsZoneMgr::GetDiagram(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_diagrams.size()))
        return nullptr;
    return m_diagrams[static_cast<std::size_t>(index)];
}

DisplayDiagramPtr ThumbnailsZoneMgr::GetNextDiagram() const
{
    return GetDiagram(m_owner->GetCurrentDiagramIndex() + 1);
}

DisplayDiagramPtr ThumbnailsZoneMgr::GetPreviousDiagram() const
{
    return GetDiagram(m_owner->GetCurrentDiagramIndex() - 1);
}

void ThumbnailsZoneMgr::CollectCheckedDiagrams(std::vector<DisplayDiagramPtr>& out) const
{
    for (const DisplayDiagramPtr& diagram : m_diagrams)
        if (diagram->IsChecked())
            out.push_back(diagram);
}

bool ThumbnailsZoneMgr::IsPointInZone(const QPoint& screenPoint) const
{
    if (!m_zone)
        return false;
    return m_zone->rect().contains(m_zone->mapFromGlobal(screenPoint));
}

void ThumbnailsZoneMgr::HitTestThumbnail(ThumbnailChoice& out, const QPoint& screenPoint) const
{
    out = ThumbnailChoice {};
    if (!m_zone)
        return;
    const ThumbsPanel* panel = m_zone->Panel();
    const QPoint client = panel->mapFromGlobal(screenPoint);
    const int y = client.y() + panel->GetScrollPos();
    for (const ThumbnailInfoPtr& thumbnail : m_thumbnails) {
        if (thumbnail->rect.Contains(client.x(), y)) {
            out.diagram = thumbnail->diagram;
            out.index = thumbnail->number - 1;
            return;
        }
    }
}

void ThumbnailsZoneMgr::OnThumbnailClicked(const ThumbnailInfo& thumbnail)
{
    m_owner->OnThumbnailSelected(ThumbnailChoice { thumbnail.diagram, thumbnail.number - 1 });
}

void ThumbnailsZoneMgr::OnCheckBoxClicked(const ThumbnailInfo& thumbnail)
{
    thumbnail.diagram->SetChecked(!thumbnail.diagram->IsChecked());
    m_owner->MarkModified();
    UpdateButtons();
    if (m_zone)
        m_zone->Panel()->InvalidateCheckBox(thumbnail);
}

void ThumbnailsZoneMgr::OnThumbnailRightClicked(const ThumbnailInfo& thumbnail, const QPoint& screenPoint)
{
    m_owner->ShowDiagramContextMenu(thumbnail.diagram, screenPoint);
}

void ThumbnailsZoneMgr::CheckAll(bool checked)
{
    for (const DisplayDiagramPtr& diagram : m_diagrams)
        diagram->SetChecked(checked);
    if (m_zone)
        m_zone->Panel()->InvalidateAllCheckBoxes();
    UpdateButtons();
}

void ThumbnailsZoneMgr::QuickPrint()
{
    m_owner->PrintActivePage();
}

void ThumbnailsZoneMgr::PinAll(bool unpin)
{
    if (unpin)
        m_owner->UnpinDiagrams(m_diagrams);
    else
        m_owner->PinDiagrams(m_diagrams);
}

bool ThumbnailsZoneMgr::AnyChecked() const
{
    return std::any_of(
        m_diagrams.begin(), m_diagrams.end(), [](const DisplayDiagramPtr& d) { return d->IsChecked(); });
}

void ThumbnailsZoneMgr::UpdateButtons()
{
    if (m_zone)
        m_zone->EnableButtons(!m_diagrams.empty(), AnyChecked());
}
