#pragma once
#include <QWidget>

namespace fifteen {

// Every control of the window sees the pointer's moves itself and keeps them
// from its parent, so that the window's own mouse move comes only over the
// bare background, and a move over a control reaches that control only.
inline void make_control(QWidget* control, const QString& name)
{
    control->setObjectName(name);
    control->setMouseTracking(true);
    control->setAttribute(Qt::WA_NoMousePropagation);
}

}  // namespace fifteen
