#include "grids/MatInfoPresenter.h"

#include "foundation/ResourceBase.h"
#include "grids/CtrlFactory.h"
#include "grids/GridsStrings.h"
#include "grids/IMatInfoCtrl.h"
#include "grids/RawMaterialsHost.h"
#include "model/CSheetGoodEx.h"
#include "model/MaterialCmd.h"
#include "model/MaterialsBase.h"
#include "model/ModelUiHook.h"
#include "optimization/BOMOptMgr.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/manual/ManualEditStrings.h"

namespace {
constexpr int kOfferedLayoutStyles = 5; // "Manual Edit" is no choice here
}

MatInfoPresenter::MatInfoPresenter(IRawMaterialsHost* host, IOptimizationDoc* document,
    std::unique_ptr<CtrlFactory> factory, QWidget* parent)
    : m_host(host)
    , m_document(document)
    , m_factory(std::move(factory))
    , m_parent(parent)
    , m_bounds(QPoint(0, 0), QSize(386, 154))
{ }

MatInfoPresenter::~MatInfoPresenter() = default;

void MatInfoPresenter::Show(bool show, std::shared_ptr<CSheetGoodEx> material)
{
    if (!show) {
        m_control.reset();
        return;
    }
    if (!m_control)
        CreateControl();
    ShowMaterial(std::move(material));
    if (m_control)
        m_control->Show();
}

void MatInfoPresenter::CreateControl()
{
    m_control = m_factory->MakeMatInfoCtrl(*this);
    if (!m_control || !m_control->Create(m_bounds, m_parent, kControlId)) {
        m_control.reset();
        return;
    }
    for (int style = 0; style < kOfferedLayoutStyles; ++style)
        m_control->AddLayoutStyle(GetLayoutStyleLabel(style), style);
    m_control->SelectLayoutStyle(GetLayoutStyleLabel(0));
}

void MatInfoPresenter::ShowMaterial(std::shared_ptr<CSheetGoodEx> material)
{
    if (!m_control)
        return;
    m_material = std::move(material);
    UpdateGrainGroup();
    UpdateSawSetupGroup();
}

void MatInfoPresenter::UpdateGrainGroup()
{
    // A sheet good's grain settings always apply to it.
    m_control->EnableGrainGroup(m_material != nullptr);
    if (m_material) {
        m_control->SetHasGrain(m_material->GetGrainInfo().GetHasGrain());
        m_control->SetLongSideHorizontal(m_material->GetGrainInfo().GetLongSideHorizontal());
    }
}

void MatInfoPresenter::UpdateSawSetupGroup()
{
    m_control->EnableSawSetupGroup(m_material != nullptr);
    if (!m_material)
        return;
    m_sawSetup = m_material->GetSawSetup();
    m_kerfChanged = false;
    ShowKerf();
    m_control->SetFirstCutDirection(m_sawSetup.GetFirstCutMode());
    m_control->SelectLayoutStyle(GetLayoutStyleLabel(m_sawSetup.GetLayoutStyle()));
}

void MatInfoPresenter::ShowKerf()
{
    m_control->SetKerfText(m_sawSetup.GetKerf().FormatDimension());
}

void MatInfoPresenter::SetPosition(int top, int left)
{
    if (m_bounds.top() == top && m_bounds.left() == left)
        return;
    m_bounds.moveTo(left, top);
    if (m_control)
        m_control->MoveTo(top, left);
}

void MatInfoPresenter::Refresh()
{
    if (m_control)
        m_control->Invalidate();
}

bool MatInfoPresenter::AllowsGeometryChange() const
{
    if (!m_document || m_document->IsProjectLocked() || !m_material)
        return true;
    const MaterialsBase* library = GetMaterialsLibrary();
    const std::shared_ptr<CSheetGoodEx> stored
        = library ? library->FindMaterial(m_material->GetName()) : nullptr;
    const std::shared_ptr<BOMOptMgr> bom = m_document->GetBOMOptMgr();
    if (!stored || !bom || !bom->GetPinnedUsage().IsMaterialPinned(stored.get()))
        return true;
    ShowModelMessage(LoadUIString(kStrPinnedMaterialGeometry));
    return false;
}

void MatInfoPresenter::RunSawSetupEdit(const CSawSetupEx& setup)
{
    std::shared_ptr<CSheetGoodEx> values = m_material->CloneSheetGood();
    values->GetSawSetupForEdit() = setup;
    if (auto command = m_material->CreateEditCommand(values))
        RunMaterialCommand(command);
    m_sawSetup = m_material->GetSawSetup();
}

void MatInfoPresenter::OnHasGrainClicked()
{
    if (!m_control || !m_material)
        return;
    if (!AllowsGeometryChange()) {
        m_control->SetHasGrain(m_material->GetGrainInfo().GetHasGrain());
        return;
    }
    GrainInfo grain = m_material->GetGrainInfo();
    grain.SetHasGrain(m_control->IsHasGrainChecked());
    if (auto command = m_material->CreateGrainEdit(grain))
        RunMaterialCommand(command);
    UpdateGrainGroup();
}

void MatInfoPresenter::OnLongSideHorizontalClicked()
{
    if (!m_control || !m_material)
        return;
    GrainInfo grain = m_material->GetGrainInfo();
    grain.SetLongSideHorizontal(m_control->IsLongSideHorizontalChecked());
    if (auto command = m_material->CreateGrainEdit(grain))
        RunMaterialCommand(command);
    UpdateGrainGroup();
}

void MatInfoPresenter::OnKerfFocused()
{
    if (m_host)
        m_host->FinishRawMaterialsEdits();
}

void MatInfoPresenter::ApplyKerfEdit()
{
    if (!m_control || !m_kerfChanged)
        return;
    m_kerfChanged = false;
    CDimension kerf = m_sawSetup.GetKerf();
    const int result = ParseDimensionInRange(m_control->GetKerfText(), kerf, true, kMaxKerfInches, false);
    if (result != 0 || !m_material || !AllowsGeometryChange()) {
        ShowKerf();
        return;
    }
    CSawSetupEx setup = m_sawSetup;
    setup.SetKerf(kerf);
    RunSawSetupEdit(setup);
    ShowKerf();
}

void MatInfoPresenter::SetFirstCutDirection(int mode)
{
    if (m_busy || !m_material)
        return;
    m_busy = true;
    if (m_host)
        m_host->FinishRawMaterialsEdits();
    CSawSetupEx setup = m_sawSetup;
    setup.SetFirstCutMode(mode);
    if (setup.GetFirstCutMode() != m_sawSetup.GetFirstCutMode()) {
        if (AllowsGeometryChange()) {
            RunSawSetupEdit(setup);
        } else if (m_host) {
            m_host->FocusMainControl();
        }
    }
    if (m_control)
        m_control->SetFirstCutDirection(m_sawSetup.GetFirstCutMode());
    m_busy = false;
}

void MatInfoPresenter::SetPreferredLayoutStyle(int style)
{
    if (!m_material)
        return;
    if (m_host)
        m_host->FinishRawMaterialsEdits();
    CSawSetupEx setup = m_sawSetup;
    setup.SetLayoutStyle(style);
    if (setup.GetLayoutStyle() != m_sawSetup.GetLayoutStyle())
        RunSawSetupEdit(setup);
}
