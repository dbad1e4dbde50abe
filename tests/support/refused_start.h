#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <string>

#include "box_answerer.h"
#include "map/core/map_file.h"
#include "temp_folder.h"
#include "window_tools.h"

namespace marv::testing {

// Runs a program (`run`, given the map's path) on a map it must refuse, written into a folder of
// its own (no file at all when `text` is empty). It must end with status 1 after one critical
// box titled `caption` whose text holds `says`, with no window of type W ever made, and leave the
// folder as it was. Returns what went otherwise, one line each.
template <class W>
QStringList refusedStart(int (*run)(const std::string&), const QByteArray& text,
                         const QString& caption, const QString& says) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    if (!text.isEmpty()) TempFolder::write(path, text.toStdString());
    bool windowMade = false;
    BoxAnswerer boxes({}, [&](QMessageBox*) { windowMade = topLevelWindow<W>() != nullptr; });
    // Should a window open after all, its program ends instead of waiting for a close.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (topLevelWindow<W>()) QCoreApplication::exit(2);
    });
    watchdog.start(50);
    QStringList wrong;
    if (const int status = run(path); status != 1) wrong << QStringLiteral("status %1").arg(status);
    if (boxes.seen.size() != 1) wrong << QStringLiteral("%1 boxes").arg(boxes.seen.size());
    const BoxAnswerer::Box box = boxes.seen.value(0);
    if (box.title != caption || box.icon != QMessageBox::Critical) wrong << "box " + box.title;
    if (!box.text.contains(says)) wrong << box.text;
    if (windowMade) wrong << QStringLiteral("a window was made");
    if (folder.entries() != (text.isEmpty() ? 0u : 1u) ||
        (!text.isEmpty() && TempFolder::read(path) != text.toStdString()))
        wrong << QStringLiteral("the folder changed");
    return wrong;
}

}  // namespace marv::testing
