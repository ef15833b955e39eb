#pragma once
// The material information strip: a fixed 386 x 154 window with the grain
// group ("Has grain", "Always draw with longer side horizontal"), the help
// button and the saw-setup group (kerf, first cut direction, preferred
// layout style). It only shows values and reports the user's actions to
// its presenter.

#include "grids/IMatInfoCtrl.h"

#include <QWidget>

class MatInfoPresenter;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class MatInfoCtrl : public QWidget, public IMatInfoCtrl
{
    Q_OBJECT
public:
    static constexpr int kWidth = 386;
    static constexpr int kHeight = 154;
    enum ControlId {
        kHasGrainId = 6206,
        kLongSideHorizontalId = 6207,
        kHelpId = 6208,
        kSawSetupGroupId = 6210,
        kKerfLabelId = 6211,
        kKerfEditId = 6212,
        kFirstCutLabelId = 6215,
        kDoesntMatterId = 6216,
        kWithGrainId = 6217,
        kAgainstGrainId = 6218,
        kLayoutStyleLabelId = 6219,
        kLayoutStyleId = 6220,
    };

    explicit MatInfoCtrl(MatInfoPresenter& presenter);
    ~MatInfoCtrl() override;

    bool Create(const QRect& bounds, QWidget* parent, int id) override;
    void AddLayoutStyle(const QString& text, int value) override;
    bool IsGrainGroupEnabled() const override;
    bool IsHasGrainChecked() const override;
    bool IsLongSideHorizontalChecked() const override;
    QString GetKerfText() const override;
    void Show() override;
    void EnableGrainGroup(bool enable) override;
    void EnableSawSetupGroup(bool enable) override;
    void SetHasGrain(bool checked) override;
    void SetLongSideHorizontal(bool checked) override;
    void SelectLayoutStyle(const QString& text) override;
    void SetKerfText(const QString& text) override;
    void SetFirstCutDirection(int mode) override;
    void MoveTo(int top, int left) override;
    void Invalidate() override;

    int GetControlId() const { return m_id; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void OnFirstCutClicked(int mode);

    MatInfoPresenter& m_presenter;
    QGroupBox* m_grainGroup = nullptr;
    QCheckBox* m_hasGrain = nullptr;
    QCheckBox* m_longSideHorizontal = nullptr;
    QPushButton* m_help = nullptr;
    QLabel* m_kerfLabel = nullptr;
    QLineEdit* m_kerf = nullptr;
    QGroupBox* m_sawSetupGroup = nullptr;
    QRadioButton* m_againstGrain = nullptr;
    QRadioButton* m_withGrain = nullptr;
    QRadioButton* m_doesntMatter = nullptr;
    QLabel* m_firstCutLabel = nullptr;
    QLabel* m_layoutStyleLabel = nullptr;
    QComboBox* m_layoutStyle = nullptr;
    int m_updating = 0;
    int m_id = 0;
};
