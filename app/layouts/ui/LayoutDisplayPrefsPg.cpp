#include "layouts/ui/LayoutDisplayPrefsPg.h"

#include "foundation/ResourceBase.h"
#include "foundation/ui/CDimensionEdit.h"
#include "layouts/LayoutsStrings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* NewCheckBox(int textId, bool checked)
{
    auto* box = new QCheckBox(LoadUIString(textId));
    box->setChecked(checked);
    return box;
}

} // namespace

LayoutDisplayPrefsPg::LayoutDisplayPrefsPg(GeneralSettings* record, QWidget* parent)
    : CPreferencePage(record, parent)
    , m_styleLabel(new QLabel(LoadUIString(kStrDefaultLabelingStyle)))
    , m_plain(new QRadioButton(LoadUIString(kStrPlain)))
    , m_bold(new QRadioButton(LoadUIString(kStrBold)))
    , m_originBottomLeft(NewCheckBox(kStrOriginBottomLeft, record->originBottomLeft))
    , m_showOuterDims(NewCheckBox(kStrShowSliceSizes, record->showOuterDims))
    , m_autoManualEdit(NewCheckBox(kStrAutoManualEdit, record->enableAutoManualEdit))
    , m_minSliceLabel(new QLabel(LoadUIString(kStrHideSliceDims)))
    , m_minSlice(new CDimensionEdit)
    , m_rotateSliceDims(NewCheckBox(kStrRotateSliceDims, record->rotateSliceDims))
    , m_showOffsets(NewCheckBox(kStrShowOffsets, record->showOffsets))
{
    (record->fancyPartAnnotation ? m_bold : m_plain)->setChecked(true);
    m_minSlice->SetMinimum(CDimension::FromInches(0.0));
    m_minSlice->SetValue(CDimension::FromInches(record->minSliceDisplayDim));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_styleLabel);
    auto* styles = new QHBoxLayout;
    styles->addWidget(m_plain);
    styles->addWidget(m_bold);
    styles->addStretch();
    layout->addLayout(styles);
    layout->addWidget(m_originBottomLeft);
    layout->addWidget(m_autoManualEdit);
    layout->addWidget(m_showOuterDims);
    auto* slice = new QHBoxLayout;
    slice->addSpacing(20);
    slice->addWidget(m_minSliceLabel);
    slice->addWidget(m_minSlice);
    slice->addStretch();
    layout->addLayout(slice);
    for (QCheckBox* box : { m_rotateSliceDims, m_showOffsets }) {
        auto* row = new QHBoxLayout;
        row->addSpacing(20);
        row->addWidget(box);
        layout->addLayout(row);
    }
    layout->addStretch();

    connect(m_showOuterDims, &QCheckBox::toggled, this, [this] { ApplyEnablingRule(); });
    ApplyEnablingRule();
}

void LayoutDisplayPrefsPg::ApplyEnablingRule()
{
    const bool shown = m_showOuterDims->isChecked();
    for (QWidget* control :
        std::initializer_list<QWidget*> { m_minSliceLabel, m_minSlice, m_rotateSliceDims, m_showOffsets })
        control->setEnabled(shown);
}

void LayoutDisplayPrefsPg::CommitToRecord()
{
    GeneralSettings* record = Record();
    record->fancyPartAnnotation = m_bold->isChecked();
    record->originBottomLeft = m_originBottomLeft->isChecked();
    record->showOuterDims = m_showOuterDims->isChecked();
    record->enableAutoManualEdit = m_autoManualEdit->isChecked();
    record->minSliceDisplayDim = m_minSlice->GetValue().GetInches();
    record->rotateSliceDims = m_rotateSliceDims->isChecked();
    record->showOffsets = m_showOffsets->isChecked();
}

void RegisterLayoutDisplayPreferencePage()
{
    RegisterPreferencePage(PrefsPage::LayoutDisplay,
        [](GeneralSettings* record) -> CPreferencePage* { return new LayoutDisplayPrefsPg(record); });
}
