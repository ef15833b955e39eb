#include "layouts/ui/LayoutsTreeMgr.h"

#include "foundation/ResourceBase.h"
#include "layouts/LayoutsStrings.h"
#include "model/CSheetGoodEx.h"
#include "model/ThicknessBasedOptTarget.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/DiagramIndex.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/TopLevelBOM.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {
constexpr unsigned kTextAndParam = TreeCtrl::MaskText | TreeCtrl::MaskParam;
} // namespace

bool LayoutsTreeMgr::TargetLess::operator()(
    const OptimizationTargetPtr& a, const OptimizationTargetPtr& b) const
{
    const auto first = a ? a->GetCriteria() : nullptr;
    const auto second = b ? b->GetCriteria() : nullptr;
    if (!first || !second)
        return !first && second;
    return first->Less(*second);
}

LayoutsTreeMgr::LayoutsTreeMgr(ILayoutsTreeOwner* owner, IOptimizationDoc* document)
    : m_owner(owner)
    , m_document(document)
{ }

LayoutsTreeMgr::~LayoutsTreeMgr()
{
    if (m_tree)
        m_tree->SetListener(nullptr);
}

void LayoutsTreeMgr::AttachTreeCtrl(std::shared_ptr<ITreeCtrl> tree)
{
    if (m_tree)
        m_tree->SetListener(nullptr);
    m_tree = std::move(tree);
    if (m_tree)
        m_tree->SetListener(this);
    m_root = 0;
}

void LayoutsTreeMgr::Reset()
{
    if (!m_tree || !m_tree->GetSafeHwnd())
        return;
    m_busy = true;
    if (m_tree->GetCount() > 1 && m_root) {
        // The user's expansion of the root survives the rebuild.
        if (m_tree->ItemHasChildren(m_root))
            m_rootExpanded = m_tree->GetItemState(m_root, TreeCtrl::StateExpanded) != 0;
        else
            m_rootExpanded = true;
    }
    m_kindByResults.clear();
    m_resultsByItem.clear();
    m_itemByMaterial.clear();
    m_itemByTarget.clear();
    m_tree->DeleteAllItems();
    m_root = m_tree->InsertItem(
        kTextAndParam, LoadUIString(kStrTreeRoot), 0, 0, 0, 0, 0, TreeCtrl::Root, TreeCtrl::Last);
    m_busy = false;
}

void LayoutsTreeMgr::Rebuild(LayoutsTreeSelection& out, const LayoutsTreeSelection& toRestore)
{
    Reset();
    if (!m_tree || !m_tree->GetSafeHwnd()) {
        out = LayoutsTreeSelection();
        return;
    }
    m_busy = true;
    BuildItems();
    if (m_rootExpanded)
        m_tree->Expand(m_root, TreeCtrl::Expand);
    RestoreSelection(toRestore);
    m_busy = false;
    out = GetSelection();
}

void LayoutsTreeMgr::BuildItems()
{
    const std::shared_ptr<BOMOptMgr> manager = m_document ? m_document->GetBOMOptMgr() : nullptr;
    const std::shared_ptr<SheetGoodsBOM> bom = manager ? manager->GetSheetGoodsBOM() : nullptr;
    if (!bom)
        return;
    bom->SortByName();
    const int count = static_cast<int>(bom->GetCount());
    for (int index = 0; index < count; ++index) {
        const MaterialBOMPtr materialBom = bom->GetMaterialBOM(index);
        if (!materialBom || !materialBom->HasOptimizedLineItems())
            continue;
        const TreeItemHandle materialItem = m_tree->InsertItem(kTextAndParam, materialBom->GetName(), 0, 0, 0,
            0, reinterpret_cast<std::uintptr_t>(materialBom->GetMaterial().get()), m_root, TreeCtrl::Sort);
        bool materialRemembered = false;
        ResultsList results = materialBom->GetResultsList();
        std::sort(results.begin(), results.end(), CompareTargets);
        for (const OptimizationResultsPtr& entry : results) {
            if (!entry || !entry->HasStacks())
                continue;
            const OptimizationTargetPtr& target = entry->GetTarget();
            // A target the diagram numbering has not lettered shows its criteria alone.
            const QString letter = GetDiagramIndex().FindTargetLetter(target.get());
            const QString criteria = entry->GetName();
            const QString text = letter.isEmpty() ? criteria : QStringLiteral("%1. %2").arg(letter, criteria);
            const TreeItemHandle item = m_tree->InsertItem(kTextAndParam, text, 0, 0, 0, 0,
                reinterpret_cast<std::uintptr_t>(entry.get()), materialItem, TreeCtrl::Last);
            m_kindByResults[entry.get()] = kTargetKind;
            m_resultsByItem[item] = entry;
            if (target)
                m_itemByTarget[target] = item;
            if (!materialRemembered && target && target->GetMaterial()) {
                m_itemByMaterial[target->GetMaterial()] = materialItem;
                materialRemembered = true;
            }
            m_tree->Expand(materialItem, TreeCtrl::Expand);
        }
    }
}

int LayoutsTreeMgr::SelectionLevel() const
{
    if (!m_root || !m_tree)
        return 0;
    const TreeItemHandle selected = m_tree->GetSelectedItem();
    const TreeItemHandle parent = selected ? m_tree->GetParentItem(selected) : 0;
    const TreeItemHandle grandParent = parent ? m_tree->GetParentItem(parent) : 0;
    if (grandParent == m_root)
        return 3;
    if (parent == m_root)
        return 2;
    return selected == m_root ? 1 : 0;
}

LayoutsTreeSelection LayoutsTreeMgr::GetSelection() const
{
    LayoutsTreeSelection selection;
    selection.level = SelectionLevel();
    const TreeItemHandle selected = m_tree ? m_tree->GetSelectedItem() : 0;
    if (selection.level == 3) {
        const auto it = m_resultsByItem.find(selected);
        if (it != m_resultsByItem.end())
            selection.results = it->second;
    } else if (selection.level == 2) {
        // A material item without targets names no material.
        const auto it = m_resultsByItem.find(m_tree->GetChildItem(selected));
        if (it != m_resultsByItem.end() && it->second && it->second->GetTarget())
            selection.material = it->second->GetTarget()->GetMaterial();
    }
    if (selection.results)
        selection.target = selection.results->GetTarget();
    return selection;
}

TreeItemHandle LayoutsTreeMgr::FirstTargetItem() const
{
    if (!m_root || !m_tree->ItemHasChildren(m_root))
        return 0;
    const TreeItemHandle material = m_tree->GetChildItem(m_root);
    return material ? m_tree->GetChildItem(material) : 0;
}

void LayoutsTreeMgr::RestoreSelection(const LayoutsTreeSelection& toRestore)
{
    switch (toRestore.level) {
    case 0:
        m_tree->SelectItem(FirstTargetItem(), TreeCtrl::Caret);
        break;
    case 1:
        m_tree->SelectItem(m_root, TreeCtrl::Caret);
        break;
    case 2: {
        const auto it = m_itemByMaterial.find(toRestore.material);
        m_tree->SelectItem(it != m_itemByMaterial.end() ? it->second : FirstTargetItem(), TreeCtrl::Caret);
        break;
    }
    case 3: {
        const auto it = toRestore.target ? m_itemByTarget.find(toRestore.target) : m_itemByTarget.end();
        m_tree->SelectItem(it != m_itemByTarget.end() ? it->second : FirstTargetItem(), TreeCtrl::Caret);
        break;
    }
    default:
        break;
    }
}

int LayoutsTreeMgr::GetSelectedTargetKind() const
{
    const LayoutsTreeSelection selection = GetSelection();
    if (selection.level != 3 || !selection.results)
        return 0;
    const auto it = m_kindByResults.find(selection.results.get());
    return it == m_kindByResults.end() ? 0 : it->second;
}

void LayoutsTreeMgr::ReselectCurrentItem()
{
    if (!m_tree)
        return;
    if (const TreeItemHandle selected = m_tree->GetSelectedItem())
        m_tree->SelectItem(selected, TreeCtrl::Caret);
    m_tree->Invalidate();
}

void LayoutsTreeMgr::Invalidate()
{
    if (m_tree)
        m_tree->Invalidate();
}

bool LayoutsTreeMgr::IsRootSelected() const
{
    return m_tree && m_root && m_tree->GetSelectedItem() == m_root;
}

void LayoutsTreeMgr::OnSelChanged(ITreeCtrl&)
{
    if (!m_busy && m_owner)
        m_owner->OnTreeSelectionChanged(GetSelection());
}

void LayoutsTreeMgr::OnSize(ITreeCtrl&)
{
    if (!m_busy && m_owner)
        m_owner->OnTreeResized();
}

void LayoutsTreeMgr::OnRightClick(ITreeCtrl&, TreeItemHandle, const QPoint& screenPoint)
{
    if (!m_owner)
        return;
    // The click already selected the item; the commands act on the selection.
    QMenu menu(m_owner->GetFrameWnd());
    ResourceBase* resources = GetResources();
    for (int id : { LayoutsTreeCommand::PinAll, LayoutsTreeCommand::UnpinAll }) {
        QAction* action = menu.addAction(resources ? resources->SecondPart(id) : QString());
        action->setStatusTip(resources ? resources->FirstLine(id) : QString());
        action->setData(id);
    }
    if (QAction* chosen = TrackContextMenu(menu, screenPoint))
        m_owner->SendFrameCommand(chosen->data().toInt());
}

QAction* LayoutsTreeMgr::TrackContextMenu(QMenu& menu, const QPoint& screenPoint)
{
    return menu.exec(screenPoint);
}
