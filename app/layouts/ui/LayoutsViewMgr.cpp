#include "layouts/ui/LayoutsViewMgr.h"

#include "document/CKWLDoc.h"
#include "foundation/CmdHistory.h"
#include "foundation/UpdateHint.h"
#include "foundation/UserPrefsBase.h"
#include "layouts/LayoutPrefs.h"
#include "layouts/ui/ILayoutsFrame.h"
#include "layouts/ui/ILayoutsViewOwner.h"
#include "layouts/ui/IMainDiagramViewMgr.h"
#include "layouts/ui/IThumbnailsZoneMgr.h"
#include "layouts/ui/LayoutsCommands.h"
#include "layouts/ui/LayoutsFrameFactory.h"
#include "model/CMilledPart.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/DiagramIndex.h"
#include "optimization/IdenticalDiagramStack.h"
#include "optimization/MaterialBOM.h"
#include "optimization/OptimizationTarget.h"
#include "optimization/TopLevelBOM.h"
#include "optimization/manual/DiagramEditCommands.h"
#include "optimization/manual/PinCommands.h"

#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kPrefLargeScreen = 2082;
constexpr int kPrefTakeOffMode = 3071;
constexpr int kPrefAutoManualEdit = 2124;
constexpr int kManualEditStyle = 5;
constexpr int kOptimizationSettingsPage = 3;

int TakeOffMode()
{
    return LayoutPrefInt(kPrefTakeOffMode, 0);
}

void Run(const std::shared_ptr<CommandBase>& command)
{
    if (CmdHistory* history = GetCmdHistory())
        history->Add(command);
}

StackList StacksOf(const std::vector<DisplayDiagramPtr>& diagrams)
{
    StackList stacks;
    for (const DisplayDiagramPtr& diagram : diagrams)
        if (diagram && std::find(stacks.begin(), stacks.end(), diagram->GetStack()) == stacks.end())
            stacks.push_back(diagram->GetStack());
    return stacks;
}

int StyleOf(const DisplayDiagram& diagram)
{
    return diagram.GetStack()->GetCurrentGeoStyle();
}

} // namespace

// --- construction

LayoutsViewMgr::LayoutsViewMgr(ILayoutsViewOwner* owner, CKWLDoc* doc, LayoutsFrameFactory& factory)
    : m_owner(owner)
    , m_doc(doc)
{
    m_treeMgr = factory.CreateTreeMgr(this, doc);
    m_mainDiagramMgr = factory.CreateMainDiagramViewMgr(this);
    m_takeOffMgr = factory.CreateTakeOffListMgr(this);
    m_thumbnailsMgr = factory.CreateThumbnailsZoneMgr(this);
    m_manualEditMgr = std::make_shared<ManualEditMgr>(this);
    m_frame = factory.CreateFrame(this, owner->GetPageRect(), owner->GetViewWnd());
    ApplyScreenArrangement();
    m_frame->SetTextBelowIcons(true);
}

LayoutsViewMgr::~LayoutsViewMgr()
{
    m_menuDiagram.reset();
    m_state.pressedPart.reset();
    m_state.selection = LayoutsSelection();
    m_manualEditMgr.reset();
    m_thumbnailsMgr.reset();
    m_takeOffMgr.reset();
    m_mainDiagramMgr.reset();
    m_treeMgr.reset();
}

// --- what the view manager calls

void LayoutsViewMgr::ResizeFrame()
{
    m_frame->MoveTo(m_owner->GetPageRect());
}

void LayoutsViewMgr::ShowFrame(int code)
{
    if (code == FrameShow::Show)
        Refresh();
    m_frame->Show(code);
    if (code == FrameShow::Show && m_frame->IsVisible() && m_takeOffMgr)
        m_takeOffMgr->SetFocus();
}

void LayoutsViewMgr::OnDocumentUpdate(const UpdateHint& hint, int source)
{
    MapAndRefresh(hint, source);
}

void LayoutsViewMgr::MapAndRefresh(const UpdateHint& hint, int source)
{
    MapHint(m_state, hint, !m_doc->IsFullyOptimized(), source, TakeOffMode());
    if (m_frame->IsVisible())
        Refresh();
}

void LayoutsViewMgr::NotifyDetail(std::uint64_t detail)
{
    UpdateHint hint(0, 0);
    hint.AddDetailFlags(detail);
    MapAndRefresh(hint, SelectionSource::None);
}

void LayoutsViewMgr::NotifyExtra(std::uint64_t extra, int source)
{
    UpdateHint hint(0, 0);
    hint.AddExtraFlags(extra);
    MapAndRefresh(hint, source);
}

void LayoutsViewMgr::ApplyScreenArrangement()
{
    m_frame->SaveSplitterSizes();
    TakeOffListState listState;
    if (!m_firstArrangement && m_takeOffMgr)
        listState = m_takeOffMgr->GetState();
    m_frame->SetArrangement(!LayoutPrefFlag(kPrefLargeScreen));
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->AttachWindow(m_frame->GetDiagramWnd());
    if (m_thumbnailsMgr)
        m_thumbnailsMgr->AttachZone(m_frame->GetThumbnailsZone());
    if (m_treeMgr)
        m_treeMgr->AttachTreeCtrl(m_frame->GetTreeCtrl());
    if (m_takeOffMgr) {
        m_takeOffMgr->Attach(m_frame->GetTakeOffGrid(), m_frame->GetTakeOffTabs());
        if (const std::shared_ptr<ITakeOffCtrl> control = m_frame->GetTakeOffCtrl())
            control->SetListener(m_takeOffMgr);
    }
    NotifyDetail(LayoutsHint::ArrangementRebuilt);
    if (m_treeMgr)
        m_treeMgr->ReselectCurrentItem();
    if (!m_firstArrangement && m_takeOffMgr)
        m_takeOffMgr->RestoreState(listState);
    m_firstArrangement = false;
}

void LayoutsViewMgr::EmptySelectionAndPanes()
{
    m_state.selection = LayoutsSelection();
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
    if (m_takeOffMgr)
        m_takeOffMgr->Clear();
    if (m_thumbnailsMgr)
        m_thumbnailsMgr->Clear();
    if (m_treeMgr)
        m_treeMgr->Reset();
}

void LayoutsViewMgr::CancelEditAndRefresh()
{
    EndPendingPress();
    EmptySelectionAndPanes();
    m_frame->SaveSplitterSizes();
}

void LayoutsViewMgr::Refresh()
{
    // The optimization below shows a modal progress dialog, which keeps
    // events flowing: hints that arrive meanwhile only add their flags, and
    // this refresh applies them once the run has returned.
    if (m_refreshing)
        return;
    m_refreshing = true;
    LayoutsSelection snapshot = m_state.selection;
    DropDeparted(snapshot.takeOff);

    if (!m_doc->IsFullyOptimized()) {
        EndPendingPress();
        EmptySelectionAndPanes();
        if (m_manualEditMgr)
            m_manualEditMgr->CancelDrag();
        m_optimizing = true;
        const bool optimized = m_doc->Optimize(-1);
        m_optimizing = false;
        if (!optimized) {
            // The flags stay for the next refresh.
            m_refreshing = false;
            return;
        }
    }

    LayoutsSelection& selection = m_state.selection;
    std::uint32_t& paneFlags = m_state.paneFlags;
    if (paneFlags & PaneRefresh::Tree) {
        LayoutsTreeSelection tree = snapshot.GetTreeFields();
        if (m_treeMgr)
            m_treeMgr->Rebuild(tree, snapshot.GetTreeFields());
        selection.SetTreeFields(tree);
        paneFlags &= ~PaneRefresh::Tree;
        paneFlags |= PaneRefresh::Thumbnails | PaneRefresh::MainDiagram | PaneRefresh::TakeOff;
    }
    if (paneFlags & PaneRefresh::Thumbnails) {
        ThumbnailChoice choice;
        if (m_thumbnailsMgr) {
            const StackList stacks = selection.results ? selection.results->GetStacks() : StackList();
            const int kind = m_treeMgr ? m_treeMgr->GetSelectedTargetKind() : (selection.level == 3 ? 3 : 0);
            m_thumbnailsMgr->SetDiagrams(
                choice, stacks, snapshot.diagramToShow ? snapshot.diagramToShow : snapshot.diagram, kind);
        }
        selection.diagram = selection.diagramToShow = choice.diagram;
        selection.diagramIndex = choice.index;
        paneFlags &= ~PaneRefresh::Thumbnails;
        paneFlags |= PaneRefresh::MainDiagram | PaneRefresh::TakeOff;
    }
    if (paneFlags & PaneRefresh::TakeOff) {
        selection.takeOff
            = m_takeOffMgr ? m_takeOffMgr->Refresh(snapshot.takeOff, m_keepPart) : snapshot.takeOff;
        paneFlags &= ~PaneRefresh::TakeOff;
        paneFlags |= PaneRefresh::MainDiagram;
    }
    if (paneFlags & PaneRefresh::MainDiagram) {
        if (m_mainDiagramMgr)
            m_mainDiagramMgr->UpdateControls();
        if (selection.diagram)
            m_frame->SetLayoutStyleIcon(LayoutStyleCommandId(StyleOf(*selection.diagram)));
        paneFlags &= ~PaneRefresh::MainDiagram;
    }

    const std::uint32_t listFlags = m_state.listFlags;
    if ((listFlags & PaneRefresh::TreeKeep) && m_treeMgr) {
        LayoutsTreeSelection tree;
        m_treeMgr->Rebuild(tree, selection.GetTreeFields());
        selection.SetTreeFields(tree);
    }
    if ((listFlags & PaneRefresh::ThumbnailsRedraw) && m_thumbnailsMgr)
        m_thumbnailsMgr->Refresh((m_state.extraFlags & LayoutsHint::DiagramChanged) != 0);
    if ((listFlags & PaneRefresh::TakeOffReselect) && m_takeOffMgr) {
        if (m_state.extraFlags & LayoutsHint::TakeOffSelectionChanged)
            m_takeOffMgr->SelectItem(selection.takeOff);
        else
            m_takeOffMgr->FitColumns();
    }

    m_state.paneFlags = 0;
    m_state.listFlags = 0;
    m_state.extraFlags = 0;
    m_state.source = 0;
    m_keepPart = false;
    m_refreshing = false;
    m_frame->UpdateCommandStates();
}

// --- selection helpers

CMilledPart* LayoutsViewMgr::LiveSelectedPart() const
{
    CMilledPart* part = m_state.selection.takeOff.part;
    if (!part)
        return nullptr;
    const std::vector<CMilledPart*>& parts = m_doc->GetPartsContainer();
    return std::find(parts.begin(), parts.end(), part) != parts.end() ? part : nullptr;
}

void LayoutsViewMgr::DropDeparted(TakeOffSelection& selection) const
{
    if (!selection.part)
        return;
    const std::vector<CMilledPart*>& parts = m_doc->GetPartsContainer();
    if (std::find(parts.begin(), parts.end(), selection.part) == parts.end())
        selection = TakeOffSelection();
}

void LayoutsViewMgr::EndPendingPress()
{
    m_state.pressedPart.reset();
    m_state.pressPoint = QPoint();
}

void LayoutsViewMgr::ShowDiagram(const DisplayDiagramPtr& diagram, int index)
{
    LayoutsSelection& selection = m_state.selection;
    selection.diagram = selection.diagramToShow = diagram;
    selection.diagramIndex = index;
    EndPendingPress();
    if (m_manualEditMgr)
        m_manualEditMgr->CancelDrag();
    selection.takeOff.dragArmed = false;
}

// --- tests of the commands

bool LayoutsViewMgr::HasCurrentDiagram() const
{
    return m_state.selection.diagram != nullptr;
}

bool LayoutsViewMgr::IsCurrentDiagramPinned() const
{
    const DisplayDiagramPtr& diagram = m_state.selection.diagram;
    return diagram && diagram->GetStack()->IsPinned();
}

bool LayoutsViewMgr::IsCurrentDiagramEmpty() const
{
    const DisplayDiagramPtr& diagram = m_state.selection.diagram;
    return diagram && IsCurrentGeometryEmpty(diagram);
}

bool LayoutsViewMgr::HasSelectedPart() const
{
    const CMilledPart* part = LiveSelectedPart();
    return part && part->GetPlacedCopies() != 0;
}

bool LayoutsViewMgr::IsDragInProgress() const
{
    const TakeOffSelection& takeOff = m_state.selection.takeOff;
    return (takeOff.part && takeOff.dragArmed) || m_state.pressedPart != nullptr;
}

// --- parts page and stepping

void LayoutsViewMgr::ShowDiagramForPart(CMilledPart* part)
{
    LayoutsSelection& selection = m_state.selection;
    // What exists of the part's place is shown: its target and diagram, its
    // target alone, or nothing.
    LayoutsTreeSelection tree;
    if (const std::shared_ptr<OptimizationTarget> target = GetDiagramIndex().FindPartTarget(part)) {
        tree.level = 3;
        tree.target = target;
        tree.material = target->GetMaterial();
        if (const auto bill = m_doc->GetSheetGoodsBOM()) {
            for (unsigned i = 0; i < bill->GetCount() && !tree.results; ++i)
                if (const MaterialBOMPtr material = bill->GetMaterialBOM(static_cast<int>(i)))
                    for (const OptimizationResultsPtr& results : material->GetResultsList())
                        if (results && results->GetTarget() == target) {
                            tree.results = results;
                            break;
                        }
        }
    }
    selection.SetTreeFields(tree);
    selection.takeOff = TakeOffSelection();
    selection.takeOff.part = part;
    m_keepPart = true;
    DisplayDiagramPtr diagram;
    if (const DiagramPartEntry* entry = GetDiagramIndex().FindPartEntry(part); entry && !entry->empty())
        if (const StackPtr& stack = entry->begin()->stack)
            diagram = stack->MakeDisplayDiagram(0);
    selection.diagram = selection.diagramToShow = diagram;
    m_state.paneFlags = PaneRefresh::All;
}

void LayoutsViewMgr::JumpToNextDiagramWithPart()
{
    const CMilledPart* part = LiveSelectedPart();
    const DiagramPartEntry* entry = part ? GetDiagramIndex().FindPartEntry(part) : nullptr;
    if (!entry || !m_thumbnailsMgr)
        return;
    std::vector<int> numbers = GetDiagramIndex().GetPartDiagramNumbers(*entry);
    if (numbers.empty())
        return;
    std::sort(numbers.begin(), numbers.end());
    const int current = m_state.selection.diagramIndex + 1;
    auto next = std::lower_bound(numbers.begin(), numbers.end(), current);
    if (next != numbers.end() && *next == current)
        ++next;
    const int number = next == numbers.end() ? numbers.front() : *next;
    if (number == current)
        return;
    const DisplayDiagramPtr diagram = m_thumbnailsMgr->GetDiagram(number - 1);
    if (!diagram)
        return;
    ShowDiagram(diagram, number - 1);
    NotifyExtra(LayoutsHint::DiagramChanged, SelectionSource::ViewManager);
}

void LayoutsViewMgr::StepDiagram(int delta)
{
    if (!m_thumbnailsMgr)
        return;
    const int number = m_state.selection.diagramIndex + 1;
    DisplayDiagramPtr diagram;
    int index = 0;
    if (delta >= 0) {
        if (number <= 1)
            return;
        diagram = m_thumbnailsMgr->GetPreviousDiagram();
        index = number - 2;
    } else {
        if (number >= m_thumbnailsMgr->GetThumbnailCount())
            return;
        diagram = m_thumbnailsMgr->GetNextDiagram();
        index = number;
    }
    if (!diagram)
        return;
    ShowDiagram(diagram, index);
    NotifyExtra(LayoutsHint::DiagramChanged, SelectionSource::ViewManager);
}

void LayoutsViewMgr::CopyTakeOffList()
{
    const LayoutsSelection snapshot = m_state.selection;
    if (m_takeOffMgr)
        m_takeOffMgr->CopyToClipboard();
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->CopyToClipboard();
    m_state.selection.takeOff = snapshot.takeOff;
    NotifyExtra(LayoutsHint::TakeOffSelectionChanged, SelectionSource::ViewManager);
}

// --- take-off list forwarding

void LayoutsViewMgr::FocusTakeOffList()
{
    if (m_frame->IsVisible() && m_takeOffMgr)
        m_takeOffMgr->SetFocus();
}

void LayoutsViewMgr::RedrawTakeOffAndTree()
{
    if (m_takeOffMgr)
        m_takeOffMgr->Invalidate();
    if (m_treeMgr)
        m_treeMgr->Invalidate();
}

void LayoutsViewMgr::ApplyTakeOffGridLines()
{
    if (m_takeOffMgr)
        m_takeOffMgr->ApplyGridLines();
}

void LayoutsViewMgr::ApplyTakeOffColumnFit()
{
    if (m_takeOffMgr)
        m_takeOffMgr->ApplyFitMode();
}

void LayoutsViewMgr::RefreshTakeOffHeaders(int code, long long first, long long second)
{
    if (m_takeOffMgr)
        m_takeOffMgr->ForwardGridNotify(code, first, second);
}

std::shared_ptr<CTakeOffGDM> LayoutsViewMgr::GetTakeOffGridMgr() const
{
    return m_takeOffMgr ? m_takeOffMgr->GetGridMgr() : nullptr;
}

void LayoutsViewMgr::ToggleTakeOffInfoColumn()
{
    if (m_takeOffMgr)
        m_takeOffMgr->ToggleInfoColumn();
}

bool LayoutsViewMgr::IsTakeOffInfoColumnShown() const
{
    return m_takeOffMgr && m_takeOffMgr->IsInfoColumnShown();
}

void LayoutsViewMgr::CollectThumbnailDiagrams(std::vector<DisplayDiagramPtr>& out) const
{
    if (m_thumbnailsMgr)
        m_thumbnailsMgr->CollectCheckedDiagrams(out);
}

// --- display toggles: preferences, saved at once

void LayoutsViewMgr::TogglePref(int id)
{
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->ToggleFlag(id);
}

void LayoutsViewMgr::ToggleStretch()
{
    TogglePref(LayoutPref::Stretch);
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::TogglePartNumbers()
{
    TogglePref(LayoutPref::ShowPartIds);
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::ToggleDescriptions()
{
    TogglePref(LayoutPref::ShowPartDescriptions);
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::ToggleUserInfo()
{
    TogglePref(LayoutPref::ShowUserInfo);
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::ToggleDimensions()
{
    TogglePref(LayoutPref::ShowDimensions);
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::ToggleShowGrain()
{
    TogglePref(LayoutPref::ShowGrain);
    NotifyDetail(LayoutsHint::ShowGrainToggled);
}

void LayoutsViewMgr::ToggleHideDupes()
{
    // Hiding the copies of a stack shows its first one.
    if (!LayoutPrefFlag(LayoutPref::HideLayoutDupes) && m_state.selection.diagram)
        m_state.selection.diagram->ResetCopyIndex();
    TogglePref(LayoutPref::HideLayoutDupes);
    NotifyDetail(LayoutsHint::HideDupesToggled);
}

void LayoutsViewMgr::OpenOptimizationSettings()
{
    m_owner->OpenProjectSettings(kOptimizationSettingsPage);
}

// --- layout styles

DisplayDiagramPtr LayoutsViewMgr::StyleCommandDiagram(int id) const
{
    const LayoutStyleCommand* entry = FindLayoutStyleCommand(id);
    if (!entry)
        return nullptr;
    return id == entry->mainId ? m_state.selection.diagram : m_menuDiagram;
}

void LayoutsViewMgr::ApplyLayoutStyleCommand(int id)
{
    const LayoutStyleCommand* entry = FindLayoutStyleCommand(id);
    const DisplayDiagramPtr diagram = StyleCommandDiagram(id);
    if (entry && diagram)
        ApplyLayoutStyle(diagram, entry->style);
}

bool LayoutsViewMgr::CanApplyLayoutStyle(int id) const
{
    const LayoutStyleCommand* entry = FindLayoutStyleCommand(id);
    const DisplayDiagramPtr diagram = StyleCommandDiagram(id);
    if (!entry || !diagram)
        return false;
    return entry->style == kManualEditStyle || diagram->GetStack()->HasGeometry(entry->style);
}

bool LayoutsViewMgr::IsLayoutStyleChecked(int id) const
{
    const LayoutStyleCommand* entry = FindLayoutStyleCommand(id);
    const DisplayDiagramPtr diagram = StyleCommandDiagram(id);
    return entry && diagram && StyleOf(*diagram) == entry->style;
}

bool LayoutsViewMgr::ApplyLayoutStyle(const DisplayDiagramPtr& diagram, int style)
{
    if (StyleOf(*diagram) == style)
        return true;
    EndPendingPress();
    m_state.selection.takeOff.dragArmed = false;
    // Style 5 without a hand-edited layout yet runs the preparing command,
    // whose hint refreshes the page; any other style only switches the
    // layout the stack shows.
    bool ranCommand = false;
    if (const OptimizationResultsPtr& results = m_state.selection.results)
        ranCommand = results->SelectLayoutStyle(*diagram, style);
    else if (style != kManualEditStyle || diagram->GetStack()->HasGeometry(style))
        diagram->GetStack()->SetCurrentGeoStyle(style);
    if (!ranCommand)
        NotifyDetail(LayoutsHint::StyleChanged);
    m_owner->RefreshResultPages();
    return !ranCommand;
}

// --- pinning

void LayoutsViewMgr::TogglePinCurrentDiagram()
{
    m_owner->FinishEditing();
    const DisplayDiagramPtr diagram = m_state.selection.diagram;
    if (!diagram)
        return;
    if (diagram->GetStack()->IsPinned())
        Run(std::make_shared<UnpinDiagramCmd>(diagram->GetStack(), diagram->GetCopyIndex()));
    else
        Run(std::make_shared<PinDiagramCmd>(diagram->GetStack(), diagram->GetCopyIndex()));
}

void LayoutsViewMgr::PinAllDiagramsInProject()
{
    m_owner->FinishEditing();
    Run(std::make_shared<PinAllDiagramsCmd>());
}

void LayoutsViewMgr::UnpinAllDiagramsInProject()
{
    m_owner->FinishEditing();
    Run(std::make_shared<UnpinAllDiagramsCmd>());
}

void LayoutsViewMgr::RemoveEmptyCurrentDiagram()
{
    m_owner->FinishEditing();
    const DisplayDiagramPtr diagram = m_state.selection.diagram;
    if (!diagram || !m_state.selection.results)
        return;
    Run(std::make_shared<RemoveEmptyDiagramCmd>(
        diagram->GetStack(), diagram->GetCopyIndex(), m_state.selection.results));
}

void LayoutsViewMgr::PinAllInTreeNode()
{
    m_owner->FinishEditing();
    const LayoutsSelection& selection = m_state.selection;
    switch (selection.level) {
    case 1:
        Run(std::make_shared<PinAllDiagramsCmd>(
            static_cast<std::uint32_t>(!(m_treeMgr && m_treeMgr->IsRootSelected()))));
        break;
    case 2:
        Run(std::make_shared<PinAllDiagramsCmd>(selection.material));
        break;
    case 3:
        if (selection.results)
            Run(std::make_shared<PinAllDiagramsCmd>(selection.results->GetStacks()));
        break;
    default:
        break;
    }
}

void LayoutsViewMgr::UnpinAllInTreeNode()
{
    m_owner->FinishEditing();
    const LayoutsSelection& selection = m_state.selection;
    switch (selection.level) {
    case 1:
        Run(std::make_shared<UnpinAllDiagramsCmd>(
            static_cast<std::uint32_t>(!(m_treeMgr && m_treeMgr->IsRootSelected()))));
        break;
    case 2:
        Run(std::make_shared<UnpinAllDiagramsCmd>(selection.material));
        break;
    case 3:
        if (selection.results)
            Run(std::make_shared<UnpinAllDiagramsCmd>(selection.results->GetStacks()));
        break;
    default:
        break;
    }
}

void LayoutsViewMgr::PinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams)
{
    Run(std::make_shared<PinAllDiagramsCmd>(StacksOf(diagrams)));
}

void LayoutsViewMgr::UnpinDiagrams(const std::vector<DisplayDiagramPtr>& diagrams)
{
    Run(std::make_shared<UnpinAllDiagramsCmd>(StacksOf(diagrams)));
}

// --- the panes' reports

bool LayoutsViewMgr::IsTakeOffTurnMatched() const
{
    return m_takeOffMgr && m_takeOffMgr->GetActiveTab() == 1;
}

int LayoutsViewMgr::GetDiagramCount() const
{
    return m_thumbnailsMgr ? m_thumbnailsMgr->GetThumbnailCount() : 0;
}

void LayoutsViewMgr::OnTakeOffSelectionChanged(const TakeOffSelection& selection, int source)
{
    m_state.selection.takeOff = selection;
    NotifyExtra(LayoutsHint::TakeOffSelectionChanged, source);
}

void LayoutsViewMgr::OnMainDiagramResized()
{
    // A page too small for two rows of the least height cannot be balanced:
    // ask for a new arrangement once for the same size, never again.
    if (m_frame->BalanceRows()) {
        m_rebalancedSize = QSize();
    } else if (const QWidget* window = m_frame->GetFrameWnd(); window && window->size() != m_rebalancedSize) {
        m_rebalancedSize = window->size();
        m_frame->PostFrameMessage(LayoutsCmd::RearrangeMessage);
    }
    if (m_takeOffMgr)
        m_takeOffMgr->FitColumns();
}

void LayoutsViewMgr::TurnCurrentDiagram()
{
    if (!m_state.selection.diagram)
        return;
    m_state.selection.diagram->ToggleOverrideRotation();
    m_owner->SetModified();
    NotifyDetail(LayoutsHint::CopyTurned);
}

void LayoutsViewMgr::ToggleLabelStyle(bool allDiagrams)
{
    const DisplayDiagramPtr& diagram = m_state.selection.diagram;
    if (!diagram)
        return;
    if (allDiagrams) {
        const auto target = m_state.selection.target;
        const bool sheetGood = target && target->GetMaterialKind() == 3;
        m_doc->UpdateMaterialBOMs(sheetGood, !diagram->IsFancyAnnotationStyle());
    } else {
        diagram->ToggleFancyAnnotationStyle();
        m_owner->SetModified();
    }
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateControls();
}

void LayoutsViewMgr::ShowCurrentDiagramContextMenu(const QPoint& screenPoint)
{
    m_menuDiagram = m_state.selection.diagram;
    m_frame->TrackPopupMenu(LayoutsCmd::DiagramContextMenu, screenPoint);
}

void LayoutsViewMgr::ShowDiagramContextMenu(const DisplayDiagramPtr& diagram, const QPoint& screenPoint)
{
    m_menuDiagram = diagram;
    m_frame->TrackPopupMenu(LayoutsCmd::DiagramContextMenu, screenPoint);
}

void LayoutsViewMgr::OnDiagramPress(const DrawnPartPtr& part, const QPoint& screenPoint)
{
    if (!part || !m_state.selection.diagram || !IsManualEditingAllowed() || IsDragInProgress())
        return;
    m_state.pressedPart = part;
    m_state.pressPoint = screenPoint;
}

void LayoutsViewMgr::OnMouseMove(
    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& screenPoint)
{
    if (!(buttons & Qt::LeftButton))
        return;
    const TakeOffSelection& takeOff = m_state.selection.takeOff;
    if (takeOff.part && takeOff.dragArmed) {
        int flags = DragKeys::LeftButton;
        if (modifiers & Qt::ShiftModifier)
            flags |= DragKeys::Shift;
        if (modifiers & Qt::ControlModifier)
            flags |= DragKeys::Control;
        m_manualEditMgr->OnPointerMove(flags, screenPoint);
        return;
    }
    if (!m_state.pressedPart)
        return;
    const QPoint moved = screenPoint - m_state.pressPoint;
    // Four pixels either way are a click that wobbled.
    if (std::abs(moved.x()) > 4 || std::abs(moved.y()) > 4)
        BeginPressedDrag(screenPoint);
}

void LayoutsViewMgr::BeginPressedDrag(const QPoint& screenPoint)
{
    const DrawnPartPtr pressed = m_state.pressedPart;
    const DrawnPart record = *pressed;
    EndPendingPress();
    TakeOffSelection selection;
    selection.part = record.GetPart();
    selection.turned = record.IsRotated();
    selection.rect = record.GetSheetRect();
    OnTakeOffSelectionChanged(selection, SelectionSource::ViewManager);
    if (!PrepareDiagramForEditing(selection))
        return;
    // The preparation may have given the diagram a new layout (or split it
    // off its stack): the part is found again by its placement, and painted
    // once so that its screen rectangle is known.
    const DisplayDiagramPtr diagram = m_state.selection.diagram;
    const DrawnPartPtr part = diagram ? FindDrawnPart(GetCurrentParts(*diagram), record) : nullptr;
    if (!part) {
        m_state.selection.takeOff.dragArmed = false;
        return;
    }
    if (m_mainDiagramMgr) {
        m_mainDiagramMgr->InvalidateAll();
        m_mainDiagramMgr->UpdateNow();
    }
    selection.dragArmed = true;
    OnTakeOffSelectionChanged(selection, SelectionSource::ViewManager);
    m_state.selection.takeOff.dragArmed = true;
    m_manualEditMgr->BeginDragOnDiagram(part, screenPoint, ScreenToClientPoint(screenPoint));
}

bool LayoutsViewMgr::PrepareDiagramForEditing(const TakeOffSelection& selection)
{
    DisplayDiagramPtr diagram = m_state.selection.diagram;
    if (!diagram)
        return false;
    if (StyleOf(*diagram) != kManualEditStyle) {
        // Runs the preparing command, or switches to the Manual Edit layout
        // the diagram already has.
        ApplyLayoutStyle(diagram, kManualEditStyle);
        diagram = m_state.selection.diagram;
        if (!diagram || StyleOf(*diagram) != kManualEditStyle)
            return false;
    }
    // Editing a Manual Edit diagram pins it, so that a re-optimization keeps it.
    if (!diagram->GetStack()->IsPinned())
        Run(std::make_shared<PinDiagramCmd>(diagram->GetStack(), diagram->GetCopyIndex()));
    if (!m_state.selection.takeOff.part)
        m_state.selection.takeOff = selection;
    m_state.selection.takeOff.dragArmed = true;
    return true;
}

void LayoutsViewMgr::EndDragState()
{
    EndPendingPress();
    if (m_manualEditMgr)
        m_manualEditMgr->CancelDrag();
    m_state.selection.takeOff.dragArmed = false;
    SetDragCursor(Qt::ArrowCursor);
}

void LayoutsViewMgr::OnMouseUp(const QPoint&)
{
    m_frame->ReleaseMouse();
    if (m_state.selection.takeOff.dragArmed) {
        m_manualEditMgr->OnDrop();
        EndDragState();
        if (m_mainDiagramMgr)
            m_mainDiagramMgr->InvalidateAll();
        return;
    }
    EndPendingPress();
}

void LayoutsViewMgr::OnCaptureLost()
{
    EndDragState();
}

void LayoutsViewMgr::OnThumbnailSelected(const ThumbnailChoice& choice)
{
    if (choice.index == m_state.selection.diagramIndex)
        return;
    ShowDiagram(choice.diagram, choice.index);
    NotifyExtra(LayoutsHint::DiagramChanged, SelectionSource::Thumbnails);
}

void LayoutsViewMgr::MarkModified()
{
    m_owner->SetModified();
}

void LayoutsViewMgr::PrintActivePage()
{
    m_owner->PrintActivePage();
}

bool LayoutsViewMgr::IsEditAllowed() const
{
    return m_owner->IsCommandIdle();
}

OptimizationSettings LayoutsViewMgr::GetOptimizationSettings() const
{
    return m_doc->GetProjectSettings().GetOptimizationSettings();
}

void LayoutsViewMgr::SetTakeOffMode(int kind)
{
    if (UserPrefsBase* prefs = GetUserPrefs())
        prefs->SetInt(kPrefTakeOffMode, kind);
    NotifyDetail(LayoutsHint::TakeOffModeChanged);
}

bool LayoutsViewMgr::IsManualEditingAllowed() const
{
    const DisplayDiagramPtr& diagram = m_state.selection.diagram;
    return (diagram && StyleOf(*diagram) == kManualEditStyle) || LayoutPrefFlag(kPrefAutoManualEdit);
}

void LayoutsViewMgr::BeginListDrag()
{
    m_state.selection.takeOff.dragArmed = true;
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->TakeFocus();
    m_manualEditMgr->BeginDragFromList();
}

void LayoutsViewMgr::OnListKeyDown(int key)
{
    if (m_state.selection.takeOff.dragArmed)
        m_manualEditMgr->OnKeyDown(key);
}

void LayoutsViewMgr::OnListKeyUp(int key)
{
    if (m_state.selection.takeOff.dragArmed)
        m_manualEditMgr->OnKeyUp(key);
}

// --- manual editing

void LayoutsViewMgr::RestoreTakeOffSelection(const TakeOffSelection& selection)
{
    m_state.selection.takeOff = selection;
    NotifyExtra(LayoutsHint::TakeOffSelectionChanged, SelectionSource::ViewManager);
}

bool LayoutsViewMgr::ContainsScreenPoint(const QPoint& screenPoint) const
{
    return m_mainDiagramMgr && m_mainDiagramMgr->ContainsScreenPoint(screenPoint);
}

bool LayoutsViewMgr::IsOverTakeOffTabs(const QPoint& screenPoint) const
{
    return m_takeOffMgr && m_takeOffMgr->IsPointOverList(screenPoint);
}

bool LayoutsViewMgr::IsOverThumbnails(const QPoint& screenPoint) const
{
    return m_thumbnailsMgr && m_thumbnailsMgr->IsPointInZone(screenPoint);
}

ThumbnailChoice LayoutsViewMgr::GetThumbnailAt(const QPoint& screenPoint) const
{
    ThumbnailChoice choice;
    if (m_thumbnailsMgr)
        m_thumbnailsMgr->HitTestThumbnail(choice, screenPoint);
    return choice;
}

void LayoutsViewMgr::ShowThumbnailDiagram(const ThumbnailChoice& choice)
{
    const DisplayDiagramPtr& shown = m_state.selection.diagram;
    if (!choice.diagram || !m_thumbnailsMgr || (shown && *shown == *choice.diagram))
        return;
    // An edit since the pointer reached the thumbnail may have rebuilt the
    // column: the diagram is looked up again.
    for (int index = 0; index < m_thumbnailsMgr->GetThumbnailCount(); ++index) {
        const DisplayDiagramPtr diagram = m_thumbnailsMgr->GetDiagram(index);
        if (diagram && *diagram == *choice.diagram) {
            ShowDiagram(diagram, index);
            NotifyExtra(LayoutsHint::DiagramChanged, SelectionSource::Thumbnails);
            return;
        }
    }
}

void LayoutsViewMgr::CaptureMouse()
{
    m_frame->CaptureMouse();
}

void LayoutsViewMgr::InvalidateAll()
{
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->InvalidateAll();
}

void LayoutsViewMgr::InvalidateDiagramArea()
{
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->InvalidateDiagramArea();
}

void LayoutsViewMgr::UpdateNow()
{
    if (m_mainDiagramMgr)
        m_mainDiagramMgr->UpdateNow();
}

void LayoutsViewMgr::RedrawThumbnails()
{
    if (m_thumbnailsMgr)
        m_thumbnailsMgr->Refresh((m_state.extraFlags & LayoutsHint::DiagramChanged) != 0);
}

void LayoutsViewMgr::SetTakeOffListKind(int kind)
{
    if (m_takeOffMgr)
        m_takeOffMgr->SetListKind(kind);
}

QPoint LayoutsViewMgr::ScreenToClientPoint(const QPoint& screenPoint) const
{
    return m_mainDiagramMgr ? m_mainDiagramMgr->ScreenToClientPoint(screenPoint) : screenPoint;
}

void LayoutsViewMgr::SetDragCursor(Qt::CursorShape shape)
{
    if (QWidget* window = m_frame->GetFrameWnd())
        window->setCursor(shape);
}

void LayoutsViewMgr::OnTreeSelectionChanged(const LayoutsTreeSelection& selection)
{
    // The tree is rebuilt after the optimization; what it reports meanwhile
    // is of no use.
    if (m_optimizing)
        return;
    m_state.selection.SetTreeFields(selection);
    NotifyExtra(LayoutsHint::TreeSelectionChanged, SelectionSource::Tree);
}

void LayoutsViewMgr::OnTreeResized()
{
    m_frame->BalanceColumns();
    if (m_takeOffMgr)
        m_takeOffMgr->FitColumns();
}

QWidget* LayoutsViewMgr::GetFrameWnd() const
{
    return m_frame->GetFrameWnd();
}

void LayoutsViewMgr::SendFrameCommand(int commandId)
{
    if (commandId == LayoutsCmd::PinAllInNode)
        PinAllInTreeNode();
    else if (commandId == LayoutsCmd::UnpinAllInNode)
        UnpinAllInTreeNode();
}
