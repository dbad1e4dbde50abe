#include "map/board/accessible_role.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace marv {
namespace {

constexpr char kRoleProperty[] = "marvAccessibleRole";
constexpr char kSelectedProperty[] = "marvAccessibleSelected";

// Qt's interface for a plain widget, in the role asked for, and selectable where asked.
class InterfaceWithRole : public QAccessibleWidget {
  public:
    InterfaceWithRole(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant selected = widget()->property(kSelectedProperty);
        if (selected.isValid()) {
            state.selectable = true;
            state.selected = selected.toBool();
        }
        return state;
    }
};

QAccessibleInterface* interfaceWithRole(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new InterfaceWithRole(static_cast<QWidget*>(object),
                                 static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void setAccessibleRole(QWidget& widget, QAccessible::Role role) {
    widget.setProperty(kRoleProperty, static_cast<int>(role));
    QAccessible::installFactory(interfaceWithRole);
}

void setAccessibleSelected(QWidget& widget, bool selected) {
    const QVariant before = widget.property(kSelectedProperty);
    widget.setProperty(kSelectedProperty, selected);
    if (before.isValid() && before.toBool() == selected) return;
    QAccessible::State changed;
    changed.selectable = !before.isValid();
    changed.selected = before.toBool() != selected;
    QAccessibleStateChangeEvent event(&widget, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace marv
