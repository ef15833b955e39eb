#include "grids/CGroupEditDlg.h"

#include "foundation/CmdHistory.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/HelpButton.h"
#include "foundation/ui/PinnedEditAlert.h"
#include "foundation/ui/SmallControls.h"
#include "grids/PartRowEditState.h"
#include "grids/PartsGridStrings.h"
#include "model/CMilledPart.h"
#include "model/CSheetGoodEx.h"
#include "model/IPartsDoc.h"
#include "model/MaterialsBase.h"
#include "model/ModelTexts.h"
#include "model/PartCommands.h"
#include "optimization/manual/PinCommands.h"

#include <platform/ui/ColorRef.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kInfoLabel = QStringLiteral("<Info>");
const QString kLockNoticeText = QStringLiteral("Project is locked: Only <Info> may be modified.");

} // namespace

CGroupEditDlg::CGroupEditDlg(
    IPartsDoc& document, std::vector<CMilledPart*> parts, QWidget* parent, IPinnedEditPrompt* prompt)
    : QDialog(parent)
    , m_document(document)
    , m_parts(std::move(parts))
    , m_prompt(prompt)
{
    std::erase(m_parts, nullptr);
    BuildControls();
    // What the dialog's initialisation does: texts, the lock, the values.
    setWindowTitle(LoadUIString(kStrGroupEditTitle));
    m_intro->setText(LoadUIString(kStrGroupEditIntro).arg(m_parts.size()));
    if (m_document.IsProjectLocked()) {
        for (QWidget* control : std::initializer_list<QWidget*> {
                 m_descriptionEdit, m_materialBox, m_copiesEdit, m_thicknessEdit, m_widthEdit, m_lengthEdit })
            control->setEnabled(false);
    } else {
        m_lockNotice->hide();
    }
    FillFields();
}

CGroupEditDlg::~CGroupEditDlg() = default;

void CGroupEditDlg::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    m_intro = new QLabel(this);
    m_intro->setWordWrap(true);
    layout->addWidget(m_intro);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto addRow = [&](int row, int column, const QString& label, QWidget* field) {
        grid->addWidget(new QLabel(label, this), row * 2, column);
        grid->addWidget(field, row * 2 + 1, column);
        field->installEventFilter(this);
    };
    m_descriptionEdit = new QLineEdit(this);
    m_userInfoEdit = new QLineEdit(this);
    m_materialBox = new QComboBox(this);
    m_materialBox->setEditable(false);
    m_copiesEdit = new QLineEdit(this);
    m_thicknessEdit = new QLineEdit(this);
    m_widthEdit = new QLineEdit(this);
    m_lengthEdit = new QLineEdit(this);
    addRow(0, 0, LoadUIString(kStrGroupLabelDescription), m_descriptionEdit);
    addRow(0, 1, LoadUIString(kStrGroupLabelMaterial), m_materialBox);
    addRow(1, 0, kInfoLabel, m_userInfoEdit);
    addRow(1, 1, LoadUIString(kStrGroupLabelCopies), m_copiesEdit);
    addRow(2, 0, LoadUIString(kStrGroupLabelThickness), m_thicknessEdit);
    addRow(2, 1, LoadUIString(kStrGroupLabelWidth), m_widthEdit);
    addRow(3, 0, LoadUIString(kStrGroupLabelLength), m_lengthEdit);
    m_lockNotice = new ColorStatic(kLockNoticeText, this);
    m_lockNotice->SetColor(platform::ToQColor(kLockNoticeColor));
    layout->addWidget(m_lockNotice);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadUIString(UIStringId::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadUIString(UIStringId::Cancel), QDialogButtonBox::RejectRole);
    AddHelpButton(buttons);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGroupEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGroupEditDlg::reject);
    connect(m_materialBox, &QComboBox::activated, this, &CGroupEditDlg::OnMaterialChosen);
    layout->addWidget(buttons);
}

QLineEdit* CGroupEditDlg::GetEdit(int id) const
{
    switch (id) {
    case kDescription:
        return m_descriptionEdit;
    case kUserInfo:
        return m_userInfoEdit;
    case kCopies:
        return m_copiesEdit;
    case kThickness:
        return m_thicknessEdit;
    case kWidth:
        return m_widthEdit;
    case kLength:
        return m_lengthEdit;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------- filling

void CGroupEditDlg::FillFields()
{
    if (m_parts.empty())
        return;
    const CMilledPart& first = *m_parts.front();
    m_description = first.GetDescription();
    m_userInfo = first.GetUserInfo();
    m_material = first.GetMaterial();
    m_copies = first.GetCopies();
    m_thickness = first.GetThickness();
    m_width = first.GetWidth();
    m_length = first.GetLength();
    for (std::size_t i = 1; i < m_parts.size(); ++i) {
        const CMilledPart& part = *m_parts[i];
        m_fields[kFieldDescription].shared &= part.GetDescription() == m_description;
        m_fields[kFieldUserInfo].shared &= part.GetUserInfo() == m_userInfo;
        m_fields[kFieldMaterial].shared &= part.GetMaterial() == m_material;
        m_fields[kFieldCopies].shared &= part.GetCopies() == m_copies;
        m_fields[kFieldThickness].shared &= CDimension::ApproxEqual(part.GetThickness(), m_thickness);
        m_fields[kFieldWidth].shared &= CDimension::ApproxEqual(part.GetWidth(), m_width);
        m_fields[kFieldLength].shared &= CDimension::ApproxEqual(part.GetLength(), m_length);
    }
    m_descriptionEdit->setText(m_fields[kFieldDescription].shared ? m_description : QString());
    m_userInfoEdit->setText(m_fields[kFieldUserInfo].shared ? m_userInfo : QString());
    ShowCopies();
    ShowLength(m_thicknessEdit, kFieldThickness, m_thickness);
    ShowLength(m_widthEdit, kFieldWidth, m_width);
    ShowLength(m_lengthEdit, kFieldLength, m_length);
    FillMaterialList();
}

void CGroupEditDlg::FillMaterialList()
{
    m_materialBox->clear();
    if (!m_material)
        return;
    QStringList names = m_material->GetMaterialNameList().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The first choice stays first; the others in logical order.
    if (names.size() > 1)
        std::stable_sort(names.begin() + 1, names.end(),
            [](const QString& a, const QString& b) { return LogicalCompare(a, b) < 0; });
    m_materialBox->addItems(names);
    SelectSharedMaterial();
}

void CGroupEditDlg::SelectSharedMaterial()
{
    if (!m_fields[kFieldMaterial].shared) {
        m_materialBox->setCurrentIndex(-1);
        return;
    }
    const int index = m_materialBox->findText(m_material->GetName());
    m_materialBox->setCurrentIndex(std::max(index, 0));
}

void CGroupEditDlg::ShowCopies()
{
    m_copiesEdit->setText(m_fields[kFieldCopies].shared ? QString::number(m_copies) : QString());
}

void CGroupEditDlg::ShowLength(QLineEdit* edit, Field field, const CDimension& value)
{
    edit->setText(m_fields[field].shared ? value.FormatDimension() : QString());
}

// ---------------------------------------------------------------- leaving fields

void CGroupEditDlg::OnTextLeft(QLineEdit* edit, Field field, QString& shared)
{
    const QString text = edit->text();
    // An empty box over parts that differ keeps their texts.
    if (!m_fields[field].shared && text.isEmpty())
        return;
    if (m_fields[field].shared && text == shared)
        return;
    shared = text;
    m_fields[field] = { true, true };
}

void CGroupEditDlg::OnDescriptionLeft()
{
    OnTextLeft(m_descriptionEdit, kFieldDescription, m_description);
}

void CGroupEditDlg::OnUserInfoLeft()
{
    OnTextLeft(m_userInfoEdit, kFieldUserInfo, m_userInfo);
}

void CGroupEditDlg::OnCopiesLeft()
{
    FieldState& state = m_fields[kFieldCopies];
    const QString text = m_copiesEdit->text().trimmed();
    if (!state.shared && text.isEmpty())
        return;
    bool ok = false;
    const int value = text.toInt(&ok);
    // Letters, an empty box over a shared count, or a negative count: no count.
    if (!ok || value < 0) {
        ShowCopies();
        return;
    }
    const auto copies = static_cast<std::uint32_t>(value);
    if (state.shared && copies == m_copies)
        return;
    if (PinnedCheck([copies](const CMilledPart& part) { return copies < part.GetHandPlacedCopies(); },
            kStrPinnedGroupCopies)) {
        m_copies = copies;
        state = { true, true };
    }
    ShowCopies();
}

void CGroupEditDlg::OnLengthFieldLeft(QLineEdit* edit, Field field, CDimension& shared,
    const std::function<const CDimension&(const CMilledPart&)>& get)
{
    FieldState& state = m_fields[field];
    const QString text = edit->text().trimmed();
    if (!state.shared && text.isEmpty())
        return;
    const CDimension value(text, false, false);
    if (!value.IsValid()) {
        ShowLength(edit, field, shared);
        return;
    }
    if (state.shared && CDimension::ApproxEqual(value, shared))
        return;
    if (PinnedCheck([&](const CMilledPart& part) { return !CDimension::ApproxEqual(get(part), value); },
            kStrPinnedGroupGeometry)) {
        shared = value;
        state = { true, true };
    }
    ShowLength(edit, field, shared);
}

void CGroupEditDlg::OnThicknessLeft()
{
    OnLengthFieldLeft(m_thicknessEdit, kFieldThickness, m_thickness,
        [](const CMilledPart& part) -> const CDimension& { return part.GetThickness(); });
}

void CGroupEditDlg::OnWidthLeft()
{
    OnLengthFieldLeft(m_widthEdit, kFieldWidth, m_width,
        [](const CMilledPart& part) -> const CDimension& { return part.GetWidth(); });
}

void CGroupEditDlg::OnLengthLeft()
{
    OnLengthFieldLeft(m_lengthEdit, kFieldLength, m_length,
        [](const CMilledPart& part) -> const CDimension& { return part.GetLength(); });
}

void CGroupEditDlg::OnMaterialChosen(int index)
{
    if (index < 0 || !m_material)
        return;
    const QString name = m_materialBox->itemText(index);
    if (m_fields[kFieldMaterial].shared && name == m_material->GetName())
        return;
    if (!PinnedCheck([&name](const CMilledPart& part) { return part.GetMaterialName() != name; },
            kStrPinnedGroupGeometry)) {
        SelectSharedMaterial();
        return;
    }
    std::shared_ptr<CSheetGoodEx> chosen;
    if (MaterialsBase* library = GetMaterialsLibrary())
        chosen = library->FindMaterialOfKind(name, static_cast<int>(m_material->GetTypeCode()));
    // Without such a material in the library, one of the parts' own.
    if (!chosen || chosen->GetName() != name)
        for (const CMilledPart* part : m_parts)
            if (part->GetMaterial()->GetName() == name)
                chosen = part->GetMaterial();
    if (!chosen)
        return;
    m_material = chosen;
    m_fields[kFieldMaterial] = { true, true };
}

bool CGroupEditDlg::PinnedCheck(const PartTest& test, int prompt)
{
    std::vector<CMilledPart*> blocked;
    for (CMilledPart* part : m_parts)
        if (part->HasHandPlacedCopies() && test(*part)
            && std::find(m_unpin.begin(), m_unpin.end(), part) == m_unpin.end())
            blocked.push_back(part);
    if (blocked.empty())
        return true;
    if (!Confirm(prompt))
        return false;
    // Run on OK with the part edits: a cancelled dialog unpins nothing.
    m_unpin.insert(m_unpin.end(), blocked.begin(), blocked.end());
    return true;
}

bool CGroupEditDlg::Confirm(int prompt)
{
    if (m_prompt)
        return m_prompt->ConfirmPinnedEdit(prompt);
    PinnedEditAlert alert(prompt, this);
    return alert.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------- OK

void CGroupEditDlg::RunLeaveHandler(QObject* field)
{
    if (field == m_descriptionEdit)
        OnDescriptionLeft();
    else if (field == m_userInfoEdit)
        OnUserInfoLeft();
    else if (field == m_copiesEdit)
        OnCopiesLeft();
    else if (field == m_thicknessEdit)
        OnThicknessLeft();
    else if (field == m_widthEdit)
        OnWidthLeft();
    else if (field == m_lengthEdit)
        OnLengthLeft();
}

bool CGroupEditDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        RunLeaveHandler(watched);
    return QDialog::eventFilter(watched, event);
}

void CGroupEditDlg::accept()
{
    // The field being typed into is left when OK is pressed.
    RunLeaveHandler(focusWidget());
    QDialog::accept();
    CmdHistory* history = GetCmdHistory();
    if (!history)
        return;
    auto changedValues = [this](const CMilledPart* part) {
        std::unique_ptr<CMilledPart> values(part->Clone());
        if (m_fields[kFieldDescription].changed)
            values->SetDescription(m_description);
        if (m_fields[kFieldUserInfo].changed)
            values->SetUserInfo(m_userInfo);
        if (m_fields[kFieldMaterial].changed)
            values->SetMaterial(m_material);
        if (m_fields[kFieldCopies].changed) {
            const std::uint32_t old = part->GetCopies();
            values->SetCopies(m_copies);
            if (m_copies < old && part->GetDraggedOffCopies() > 0)
                values->SetDraggedOffCopies(
                    part->GetDraggedOffCopies() - std::min(old - m_copies, part->GetDraggedOffCopies()));
        }
        if (m_fields[kFieldThickness].changed)
            values->SetThickness(m_thickness);
        if (m_fields[kFieldWidth].changed)
            values->SetWidth(m_width);
        if (m_fields[kFieldLength].changed)
            values->SetLength(m_length);
        if (PartEditValuesEqual(*part, *values))
            values.reset();
        return values;
    };
    const bool edits = std::any_of(m_parts.begin(), m_parts.end(),
        [&](const CMilledPart* part) { return changedValues(part) != nullptr; });
    if (m_unpin.empty() && !edits)
        return;
    // One undo step: the unpinning the user agreed to, then the part edits,
    // each made from the part as the unpinning left it.
    const auto scope = history->OpenNamedScope(LoadUIString(kStrGroupEditStep));
    if (!m_unpin.empty())
        history->Add(std::make_shared<UnpinDiagramsWithPartCmd>(m_unpin));
    for (CMilledPart* part : m_parts)
        if (auto values = changedValues(part))
            history->Add(std::make_shared<CPartEdit>(part, std::move(values)));
}
