#include "map/board/accessible_role.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace marv {
namespace {

QHash<QString, QAccessible::Role>& roles() {
    static QHash<QString, QAccessible::Role> byClass;
    return byClass;
}

QAccessibleInterface* interfaceWithRole(const QString& className, QObject* object) {
    const auto found = roles().constFind(className);
    if (found == roles().cend() || !object || !object->isWidgetType() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), *found);
}

}  // namespace

void setAccessibleRole(const QMetaObject& type, QAccessible::Role role) {
    roles().insert(QString::fromLatin1(type.className()), role);
    QAccessible::installFactory(interfaceWithRole);
}

}  // namespace marv
