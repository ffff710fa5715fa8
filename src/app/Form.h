#pragma once
// A window of the program: its FormShow and FormHide run when it is shown and
// hidden by the program (not when the user minimises or restores it), and an
// error they raise goes to the standard error box.

#include "app/Application.h"

#include <QHideEvent>
#include <QShowEvent>

template <class Base>
class Form : public Base {
public:
    using Base::Base;

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}

    void showEvent(QShowEvent *event) override
    {
        Base::showEvent(event);
        if (!event->spontaneous())
            TourbuchApplication::guarded([this] { FormShow(); });
    }
    void hideEvent(QHideEvent *event) override
    {
        if (!event->spontaneous())
            TourbuchApplication::guarded([this] { FormHide(); });
        Base::hideEvent(event);
    }
};
