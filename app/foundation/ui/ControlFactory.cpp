#include "foundation/ui/ControlFactory.h"

#include "foundation/ResourceBase.h"
#include "foundation/UIResources.h"
#include "foundation/ui/CIconButton.h"
#include "foundation/ui/CStaticWithTip.h"
#include "foundation/ui/SmallControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>

namespace {

const char* const kControlIdProperty = "kwlControlId";

template <typename Control>
Control* Place(Control* control, const platform::Rect& rect, int id)
{
    control->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    control->setProperty(kControlIdProperty, id);
    control->setFont(GetUIResources()->GetDefaultGuiFont());
    control->show();
    return control;
}

} // namespace

QGroupBox* CreateGroupBoxControl(QWidget* parent, const platform::Rect& rect, int id, int captionId)
{
    // The program's group boxes fill their face with the button colour.
    return Place(new QZGroupbox(LoadUIString(captionId), parent), rect, id);
}

QPushButton* CreatePushButtonControl(QWidget* parent, const platform::Rect& rect, int id, int captionId)
{
    return Place(new QPushButton(LoadUIString(captionId), parent), rect, id);
}

QCheckBox* CreateCheckBoxControl(QWidget* parent, const platform::Rect& rect, int id, int captionId)
{
    auto* box = Place(new QCheckBox(LoadUIString(captionId), parent), rect, id);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QRadioButton* CreateRadioButtonControl(QWidget* parent, const platform::Rect& rect, int id, int captionId)
{
    return Place(new QRadioButton(LoadUIString(captionId), parent), rect, id);
}

QLabel* CreateStaticTextControl(QWidget* parent, const platform::Rect& rect, int id, int captionId)
{
    auto* label = Place(new QLabel(LoadUIString(captionId), parent), rect, id);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* CreateEditControl(QWidget* parent, const platform::Rect& rect, int id)
{
    auto* edit = Place(new QLineEdit(parent), rect, id);
    edit->setFocusPolicy(Qt::StrongFocus);
    return edit;
}

QComboBox* CreateComboBoxControl(QWidget* parent, const platform::Rect& rect, int id)
{
    auto* combo = Place(new QComboBox(parent), rect, id);
    combo->setEditable(false);
    return combo;
}

CIconButton* CreateIconButton(QWidget* parent, int id, const QIcon& icon)
{
    auto* button = Place(new CIconButton(parent), platform::Rect(), id);
    button->setIcon(icon);
    return button;
}

CStaticWithTip* CreateStaticWithTip(QWidget* parent, const QString& text, int id)
{
    return Place(new CStaticWithTip(text, parent), platform::Rect(), id);
}

int GetControlId(const QWidget* control)
{
    return control ? control->property(kControlIdProperty).toInt() : 0;
}

QWidget* FindControl(const QWidget* parent, int id)
{
    if (!parent)
        return nullptr;
    for (QWidget* child : parent->findChildren<QWidget*>()) {
        if (GetControlId(child) == id)
            return child;
    }
    return nullptr;
}
