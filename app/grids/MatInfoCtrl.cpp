#include "grids/MatInfoCtrl.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/ui/ControlFactory.h"
#include "foundation/ui/HelpButton.h"
#include "grids/CtrlFactory.h"
#include "grids/GridsStrings.h"
#include "grids/MatInfoPresenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// The strip's controls come from the shared control makers; the strip then
// gives each its own font, a tab stop and its id as the name it is found by.
template <class Widget> Widget* Fit(Widget* widget)
{
    widget->setObjectName(QString::number(GetControlId(widget)));
    widget->setFont(GetDialogFont());
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

// The strip's boxes are laid out for a caption of one or two lines, as the
// desktop's check boxes wrap theirs; Qt's do not, so the caption is broken
// between words wherever a line would run past the box.
void FitCaption(QAbstractButton* button)
{
    const QStyle* style = button->style();
    const int mark = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button)
        + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    const int room = button->width() - mark - 2;
    const QFontMetrics metrics(button->font());
    const QStringList words = button->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList lines;
    for (const QString& word : words) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + QLatin1Char(' ') + word) <= room)
            lines.back() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    button->setText(lines.join(QLatin1Char('\n')));
    // A box a pixel or two lower than its text is grown about its middle.
    const int needed = button->sizeHint().height();
    if (needed > button->height()) {
        const QRect box = button->geometry();
        button->setGeometry(box.x(), box.center().y() - needed / 2, box.width(), needed);
    }
}

} // namespace

std::shared_ptr<IMatInfoCtrl> RealCtrlFactory::MakeMatInfoCtrl(MatInfoPresenter& presenter)
{
    return std::make_shared<MatInfoCtrl>(presenter);
}

MatInfoCtrl::MatInfoCtrl(MatInfoPresenter& presenter)
    : m_presenter(presenter)
{ }

MatInfoCtrl::~MatInfoCtrl() = default;

bool MatInfoCtrl::Create(const QRect& bounds, QWidget* parent, int id)
{
    m_id = id;
    setObjectName(QString::number(id));
    setParent(parent);
    setGeometry(bounds);
    setFont(GetDialogFont());
    setAutoFillBackground(false);
    hide();
    raise();
    CreateControls();
    return true;
}

void MatInfoCtrl::CreateControls()
{
    const int l = 0, t = 0, r = kWidth, b = kHeight;
    m_help = Fit(
        CreatePushButtonControl(this, platform::Rect(l, t, l + 200, t + 24), kHelpId, kStrHelpWithMaterials));
    m_grainGroup
        = Fit(CreateGroupBoxControl(this, platform::Rect(l, t + 29, l + 200, b - 27), 0, kStrMaterialInfo));
    m_grainGroup->setObjectName(QStringLiteral("grain"));
    m_hasGrain = Fit(CreateCheckBoxControl(
        this, platform::Rect(l + 6, t + 49, l + 194, t + 68), kHasGrainId, kStrHasGrain));
    m_longSideHorizontal = Fit(CreateCheckBoxControl(this, platform::Rect(l + 6, t + 68, l + 194, t + 120),
        kLongSideHorizontalId, kStrLongSideHorizontal));
    m_sawSetupGroup = Fit(CreateGroupBoxControl(
        this, platform::Rect(l + 206, t, l + 386, b - 27), kSawSetupGroupId, kStrSawSetup));
    m_kerfLabel = Fit(CreateStaticTextControl(
        this, platform::Rect(l + 212, t + 15, l + 303, t + 34), kKerfLabelId, kStrSawKerf));
    m_kerf = Fit(CreateEditControl(this, platform::Rect(l + 307, t + 15, l + 380, t + 34), kKerfEditId));
    m_firstCutLabel = Fit(CreateStaticTextControl(
        this, platform::Rect(l + 216, t + 40, l + 380, t + 58), kFirstCutLabelId, kStrFirstCutDirection));
    m_doesntMatter = Fit(CreateRadioButtonControl(
        this, platform::Rect(l + 226, t + 60, l + 380, t + 78), kDoesntMatterId, kStrDoesntMatter));
    m_withGrain = Fit(CreateRadioButtonControl(
        this, platform::Rect(l + 226, t + 80, l + 380, t + 98), kWithGrainId, kStrWithGrain));
    m_againstGrain = Fit(CreateRadioButtonControl(
        this, platform::Rect(l + 226, t + 100, l + 380, t + 118), kAgainstGrainId, kStrAgainstGrain));
    m_layoutStyleLabel = Fit(CreateStaticTextControl(
        this, platform::Rect(l, b - 22, l + 180, b), kLayoutStyleLabelId, kStrPreferredLayoutStyle));
    m_layoutStyle = Fit(CreateComboBoxControl(this, platform::Rect(l + 184, b - 22, r, b), kLayoutStyleId));

    for (QAbstractButton* box : std::initializer_list<QAbstractButton*> {
             m_hasGrain, m_longSideHorizontal, m_doesntMatter, m_withGrain, m_againstGrain })
        FitCaption(box);
    // The program sets the checks of the radio buttons itself.
    for (QRadioButton* radio : { m_doesntMatter, m_withGrain, m_againstGrain })
        radio->setAutoExclusive(false);
    m_kerf->setFrame(true);
    m_kerf->installEventFilter(this);

    connect(m_hasGrain, &QCheckBox::clicked, this, [this] { m_presenter.OnHasGrainClicked(); });
    connect(m_longSideHorizontal, &QCheckBox::clicked, this,
        [this] { m_presenter.OnLongSideHorizontalClicked(); });
    ConnectHelpButton(m_help, MatInfoPresenter::kHelpContext);
    connect(m_help, &QPushButton::clicked, this, [this] { m_help->setDefault(false); });
    connect(m_kerf, &QLineEdit::textEdited, this, [this] { m_presenter.MarkKerfChanged(); });
    connect(m_doesntMatter, &QRadioButton::clicked, this, [this] { OnFirstCutClicked(0); });
    connect(m_withGrain, &QRadioButton::clicked, this, [this] { OnFirstCutClicked(1); });
    connect(m_againstGrain, &QRadioButton::clicked, this, [this] { OnFirstCutClicked(2); });
    connect(m_layoutStyle, &QComboBox::activated, this,
        [this](int index) { m_presenter.SetPreferredLayoutStyle(m_layoutStyle->itemData(index).toInt()); });
}

void MatInfoCtrl::OnFirstCutClicked(int mode)
{
    if (m_updating)
        return;
    ++m_updating;
    m_presenter.SetFirstCutDirection(mode);
    --m_updating;
}

bool MatInfoCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_kerf) {
        if (event->type() == QEvent::FocusIn)
            m_presenter.OnKerfFocused();
        else if (event->type() == QEvent::FocusOut)
            m_presenter.ApplyKerfEdit();
    }
    return QWidget::eventFilter(watched, event);
}

void MatInfoCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
}

void MatInfoCtrl::AddLayoutStyle(const QString& text, int value)
{
    const QSignalBlocker blocker(m_layoutStyle);
    m_layoutStyle->addItem(text, value);
}

bool MatInfoCtrl::IsGrainGroupEnabled() const
{
    return m_grainGroup->isEnabled();
}

bool MatInfoCtrl::IsHasGrainChecked() const
{
    return m_hasGrain->isChecked();
}

bool MatInfoCtrl::IsLongSideHorizontalChecked() const
{
    return m_longSideHorizontal->isChecked();
}

QString MatInfoCtrl::GetKerfText() const
{
    return m_kerf->text();
}

void MatInfoCtrl::Show()
{
    show();
}

void MatInfoCtrl::EnableGrainGroup(bool enable)
{
    for (QWidget* widget : std::initializer_list<QWidget*> { m_grainGroup, m_hasGrain, m_longSideHorizontal })
        widget->setEnabled(enable);
}

void MatInfoCtrl::EnableSawSetupGroup(bool enable)
{
    for (QWidget* widget :
        std::initializer_list<QWidget*> { m_sawSetupGroup, m_kerfLabel, m_kerf, m_firstCutLabel,
            m_doesntMatter, m_withGrain, m_againstGrain, m_layoutStyleLabel, m_layoutStyle })
        widget->setEnabled(enable);
}

void MatInfoCtrl::SetHasGrain(bool checked)
{
    m_hasGrain->setChecked(checked);
}

void MatInfoCtrl::SetLongSideHorizontal(bool checked)
{
    m_longSideHorizontal->setChecked(checked);
}

void MatInfoCtrl::SelectLayoutStyle(const QString& text)
{
    const QSignalBlocker blocker(m_layoutStyle);
    m_layoutStyle->setCurrentIndex(m_layoutStyle->findText(text));
}

void MatInfoCtrl::SetKerfText(const QString& text)
{
    m_kerf->setText(text);
}

void MatInfoCtrl::SetFirstCutDirection(int mode)
{
    ++m_updating;
    m_doesntMatter->setChecked(mode == 0);
    m_withGrain->setChecked(mode == 1);
    m_againstGrain->setChecked(mode == 2);
    --m_updating;
}

void MatInfoCtrl::MoveTo(int top, int left)
{
    setGeometry(left, top, kWidth, kHeight);
}

void MatInfoCtrl::Invalidate()
{
    update();
}
