#pragma once

#include <QAccessible>
#include <QMetaObject>

namespace marv {

// Makes assistive technologies see every widget of class `type` (exactly that class) in `role`,
// keeping its accessible name, instead of as the plain widget Qt takes it for. The board is a
// canvas, a picture the user presses on; each program's window is a window.
void setAccessibleRole(const QMetaObject& type, QAccessible::Role role);

}  // namespace marv
