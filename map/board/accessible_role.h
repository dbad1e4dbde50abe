#pragma once

#include <QAccessible>

class QWidget;

namespace marv {

// Makes assistive technologies see `widget` in `role`, keeping its accessible name, instead of
// in the role Qt gives its class: the board is a canvas, a picture the user presses on; a palette
// entry is a picture of its tile; each program's window is a window. Call before the widget is
// shown.
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

// Makes a widget given a role above selectable, and tells assistive technologies whether it is
// the selected one: the editor's chosen palette entry, which nothing on screen marks.
void setAccessibleSelected(QWidget& widget, bool selected);

}  // namespace marv
