#pragma once

#include <QLayout>
#include <QWidget>

namespace zev {

// Whether a widget already sits somewhere in a layout tree: a screen that
// builds its own layout must not add a control a layout record placed.
inline bool InLayout(QLayout* layout, QWidget* widget)
{
    if (!layout)
        return false;
    if (layout->indexOf(widget) >= 0)
        return true;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout(); inner && InLayout(inner, widget))
            return true;
    return false;
}

} // namespace zev
