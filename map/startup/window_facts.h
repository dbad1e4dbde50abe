#pragma once

#include <QSize>

class QWidget;

#include "map/pictures/program_icons.h"

namespace marv {

// What a program's window shows of itself. Each program keeps one record of these, which its
// window, its start-up, the start-up probe and the tests all read.
struct WindowFacts {
    const char* title;     // the window's title
    const char* boxTitle;  // the title of its message boxes, its start-up's failure box too
    QSize size;            // its fixed client size, in pixels
    int fontPixels;        // the font size of its captions, small enough for their fixed places
    ProgramIcon icon;

    // Gives `window` its title, icon, fixed size (with no maximise button offered) and font.
    void applyTo(QWidget& window) const;
};

}  // namespace marv
