#pragma once
// The material information strip's window as its presenter drives it, so
// that the presenter works without knowing the widgets.

#include <QRect>
#include <QString>

class QWidget;

class IMatInfoCtrl
{
public:
    virtual ~IMatInfoCtrl() = default;
    // A hidden child of parent on top of its siblings, with its controls.
    virtual bool Create(const QRect& bounds, QWidget* parent, int id) = 0;
    virtual void AddLayoutStyle(const QString& text, int value) = 0;
    virtual bool IsGrainGroupEnabled() const = 0;
    virtual bool IsHasGrainChecked() const = 0;
    virtual bool IsLongSideHorizontalChecked() const = 0;
    virtual QString GetKerfText() const = 0;
    virtual void Show() = 0;
    virtual void EnableGrainGroup(bool enable) = 0;
    virtual void EnableSawSetupGroup(bool enable) = 0;
    virtual void SetHasGrain(bool checked) = 0;
    virtual void SetLongSideHorizontal(bool checked) = 0;
    virtual void SelectLayoutStyle(const QString& text) = 0;
    virtual void SetKerfText(const QString& text) = 0;
    // 0 "Doesn't matter", 1 "With grain", 2 "Against grain".
    virtual void SetFirstCutDirection(int mode) = 0;
    virtual void MoveTo(int top, int left) = 0;
    virtual void Invalidate() = 0;
};
