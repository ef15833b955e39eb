#pragma once
// Fills the material information strip from the selected sheet good and
// turns each change the user makes there (grain flags, kerf, first cut
// direction, preferred layout style) into an undoable material edit. A
// change of the geometry of a material that a pinned layout uses is refused
// while the project is unlocked.

#include "model/CSawSetupEx.h"

#include <QRect>

#include <memory>

class CSheetGoodEx;
class CtrlFactory;
class IMatInfoCtrl;
class IOptimizationDoc;
class IRawMaterialsHost;
class QWidget;

class MatInfoPresenter
{
public:
    static constexpr int kControlId = 8000;
    static constexpr int kHelpContext = 5501;
    static constexpr double kMaxKerfInches = 10.0;

    // The presenter owns the factory; document may be null.
    MatInfoPresenter(IRawMaterialsHost* host, IOptimizationDoc* document,
        std::unique_ptr<CtrlFactory> factory, QWidget* parent);
    ~MatInfoPresenter();
    MatInfoPresenter(const MatInfoPresenter&) = delete;
    MatInfoPresenter& operator=(const MatInfoPresenter&) = delete;

    // Showing creates the strip when there is none and fills it; hiding
    // destroys it.
    void Show(bool show, std::shared_ptr<CSheetGoodEx> material);
    void ShowMaterial(std::shared_ptr<CSheetGoodEx> material);
    void SetPosition(int top, int left);
    QRect GetBounds() const { return m_bounds; }
    void Refresh();
    // Applies a typed kerf (before other actions on the page and when the
    // kerf loses the focus).
    void ApplyKerfEdit();
    IMatInfoCtrl* GetControl() const { return m_control.get(); }

    // ---- the strip's events
    void OnHasGrainClicked();
    void OnLongSideHorizontalClicked();
    void OnKerfFocused();
    void MarkKerfChanged() { m_kerfChanged = true; }
    void SetFirstCutDirection(int mode);
    void SetPreferredLayoutStyle(int style);

private:
    void CreateControl();
    void UpdateGrainGroup();
    void UpdateSawSetupGroup();
    void ShowKerf();
    // The geometry of the material may change (message 221 when not).
    bool AllowsGeometryChange() const;
    void RunSawSetupEdit(const CSawSetupEx& setup);

    IRawMaterialsHost* m_host;
    IOptimizationDoc* m_document;
    std::unique_ptr<CtrlFactory> m_factory;
    QWidget* m_parent;
    std::shared_ptr<CSheetGoodEx> m_material;
    CSawSetupEx m_sawSetup;
    bool m_kerfChanged = false;
    QRect m_bounds;
    std::shared_ptr<IMatInfoCtrl> m_control;
    bool m_busy = false;
};

