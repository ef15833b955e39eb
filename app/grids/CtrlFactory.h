#pragma once
// Makes the windows of the Raw Materials page's presenters; tests give the
// presenters a factory of fakes.

#include <memory>

class IMatInfoCtrl;
class MatInfoPresenter;

class CtrlFactory
{
public:
    virtual ~CtrlFactory() = default;
    virtual std::shared_ptr<IMatInfoCtrl> MakeMatInfoCtrl(MatInfoPresenter& presenter) = 0;
};

// The program's factory: the real strip window.
class RealCtrlFactory : public CtrlFactory
{
public:
    std::shared_ptr<IMatInfoCtrl> MakeMatInfoCtrl(MatInfoPresenter& presenter) override;
};
