#include "shell/prefs/CFormatsPg.h"

#include "foundation/LocaleFormat.h"
#include "foundation/NamedColors.h"
#include "foundation/ui/ColorPickerSetup.h"
#include "foundation/ui/UIStringWidgets.h"
#include "shell/controls/COXColorPickerButton.h"
#include "shell/prefs/PageWidgets.h"
#include "shell/prefs/PrefsStrings.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr platform::ColorRef kDefaultBoldPartColor = 0x808080;
// Sizes typed outside these points are refused and the stored size kept.
constexpr double kSmallestSize = 3.0;
constexpr double kLargestSize = 20.0;

QComboBox* NewSizeBox(int smallest, int largest, int tenths)
{
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFixedWidth(90);
    for (int points = smallest; points <= largest; ++points)
        box->addItem(QString::number(points));
    box->setEditText(FormatLocaleNumber(tenths / 10.0, 1, false));
    return box;
}

// The stored face itself when offered, else the first face that begins with
// it, else the face the system draws in its place (a list never shows blank
// while the text is drawn in some face). True when that stand-in is shown.
bool SelectFace(QComboBox* list, const QString& face)
{
    int index = face.isEmpty() ? -1 : list->findText(face, Qt::MatchExactly);
    for (int i = 0; index < 0 && !face.isEmpty() && i < list->count(); ++i)
        if (list->itemText(i).startsWith(face))
            index = i;
    bool standsIn = false;
    if (index < 0 && !face.isEmpty()) {
        index = list->findText(QFontInfo(QFont(face)).family(), Qt::MatchFixedString);
        standsIn = index >= 0;
    }
    list->setCurrentIndex(index);
    return standsIn;
}

// The size typed into box, in tenths of a point; keeps tenths when the text
// is no number or lies outside the allowed sizes.
void CommitSize(const QComboBox* box, std::int32_t& tenths)
{
    QString text = box->currentText().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double points = text.toDouble(&ok);
    // Written so that "nan", which reads as a number, is refused too.
    if (!ok || !(points >= kSmallestSize && points <= kLargestSize))
        return;
    tenths = static_cast<std::int32_t>(points * 10.0); // truncated to tenths
}

} // namespace

QStringList CFormatsPg::InstalledFaces()
{
    QStringList faces;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol))
            continue;
        if (!faces.contains(family))
            faces.append(family);
    }
    return faces;
}

CFormatsPg::CFormatsPg(GeneralSettings* record, QWidget* parent, const QStringList& faces)
    : CPreferencePage(record, parent)
    , m_listFace(new QComboBox)
    , m_listSize(NewSizeBox(8, 12, record->gridHeight))
    , m_diagramFace(new QComboBox)
    , m_diagramSize(NewSizeBox(6, 12, record->diagramHeight))
    , m_smallPartsSize(NewSizeBox(6, 10, record->smallPartsHeight))
    , m_boldDimsSize(NewSizeBox(6, 10, record->boldDiagramDimsHeight))
    , m_boldPartColor(new COXColorPickerButton)
{
    // Both face lists are sorted, the diagram list a copy of the list one.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList offered;
    for (const QString& face : faces.isEmpty() ? InstalledFaces() : faces)
        if (!offered.contains(face))
            offered.append(face);
    QApplication::restoreOverrideCursor();
    offered.sort(Qt::CaseInsensitive);
    m_listFace->addItems(offered);
    m_diagramFace->addItems(offered);
    m_listFaceStandsIn = SelectFace(m_listFace, Record()->gridFace);
    m_diagramFaceStandsIn = SelectFace(m_diagramFace, Record()->diagramFace);
    connect(m_listFace, &QComboBox::activated, this, [this] { m_listFaceStandsIn = false; });
    connect(m_diagramFace, &QComboBox::activated, this, [this] { m_diagramFaceStandsIn = false; });

    NamedColorList colors;
    BuildNamedColorList(colors);
    SetUpColorPicker(colors, *m_boldPartColor, static_cast<platform::ColorRef>(Record()->boldPartColor),
        kDefaultBoldPartColor);
    m_boldPartColor->setMinimumSize(60, 24);

    auto* lists = new QGroupBox(this);
    SetWindowTextById(lists, kStrListsGroup);
    auto* listsLayout = new QGridLayout(lists);
    listsLayout->addWidget(m_listFace, 0, 0);
    listsLayout->addWidget(m_listSize, 0, 1);

    auto* diagrams = new QGroupBox(this);
    SetWindowTextById(diagrams, kStrLayoutDiagramsGroup);
    auto* diagramsLayout = new QGridLayout(diagrams);
    diagramsLayout->addWidget(m_diagramFace, 0, 0);
    diagramsLayout->addWidget(m_diagramSize, 0, 1);
    diagramsLayout->addWidget(NewPageLabel(kStrVerySmallPartsLabel), 1, 0);
    diagramsLayout->addWidget(m_smallPartsSize, 1, 1);
    diagramsLayout->addWidget(NewPageLabel(kStrBoldDimsFontLabel, true), 2, 0);
    diagramsLayout->addWidget(m_boldDimsSize, 2, 1);
    diagramsLayout->addWidget(NewPageLabel(kStrBoldPartColorLabel, true), 3, 0);
    diagramsLayout->addWidget(m_boldPartColor, 3, 1);
    for (QGridLayout* grid : { listsLayout, diagramsLayout })
        grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lists);
    layout->addWidget(diagrams);
    layout->addStretch();
}

void CFormatsPg::CommitToRecord()
{
    GeneralSettings& record = *Record();
    // A face the list could not select is kept, not blanked.
    if (m_listFace->currentIndex() >= 0 && !m_listFaceStandsIn)
        record.gridFace = m_listFace->currentText();
    if (m_diagramFace->currentIndex() >= 0 && !m_diagramFaceStandsIn)
        record.diagramFace = m_diagramFace->currentText();
    CommitSize(m_listSize, record.gridHeight);
    CommitSize(m_diagramSize, record.diagramHeight);
    CommitSize(m_smallPartsSize, record.smallPartsHeight);
    CommitSize(m_boldDimsSize, record.boldDiagramDimsHeight);
    if (record.smallPartsHeight > record.diagramHeight)
        record.smallPartsHeight = record.diagramHeight;
    record.boldPartColor = static_cast<std::int32_t>(m_boldPartColor->GetColor());
}
