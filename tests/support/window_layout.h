#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

namespace marv::testing {

// Each window's caption, client size and the place of every control, in pixels.
struct WindowLayout {
    QString caption;
    QSize size;
    std::vector<std::pair<const char*, QRect>> controls;
};

// clang-format off
inline const WindowLayout kDemoLayout{"marvane A*", {400, 465}, {
    {"mainpic", {0, 0, 400, 400}}, {"Text1", {0, 408, 201, 25}}, {"Text2", {0, 440, 201, 19}},
    {"reiniciar", {208, 408, 57, 17}}, {"CheckIr", {280, 408, 81, 17}},
    {"personaje", {240, 440, 17, 13}}, {"ir", {272, 440, 73, 17}}, {"imagen2", {208, 432, 24, 24}}}};
inline const WindowLayout kEditorLayout{"Editor", {461, 401}, {
    {"mainpic", {0, 0, 400, 400}}, {"imagen0", {408, 8, 24, 24}}, {"imagen1", {432, 8, 24, 24}},
    {"imagen7", {408, 40, 24, 24}}, {"imagen8", {432, 40, 24, 24}},
    {"borrar", {408, 328, 49, 25}}, {"guardar", {408, 368, 49, 25}}}};
// clang-format on

// How `window` differs from `layout`, one line a difference; empty when it matches.
inline QStringList layoutDifferences(const QWidget& window, const WindowLayout& layout) {
    QStringList differences;
    if (window.windowTitle() != layout.caption) differences << "caption " + window.windowTitle();
    if (window.size() != layout.size) differences << QStringLiteral("size");
    for (const auto& [name, place] : layout.controls) {
        const auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        if (!control || control->geometry() != place) differences << QString::fromLatin1(name);
    }
    return differences;
}

}  // namespace marv::testing
