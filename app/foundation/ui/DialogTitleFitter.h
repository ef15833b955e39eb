#pragma once
// A dialog laid out for its controls alone can be narrower than its title,
// and the window manager then cuts the title short. Installed once on the
// application, this widens every dialog as it is first shown to hold its
// whole title beside the title bar's buttons.

#include <QObject>

class QDialog;

class DialogTitleFitter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The width the dialog needs for its title, title-bar buttons included.
    static int TitleWidth(const QDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
