#pragma once
// The small pictures of the program's buttons and its icon, drawn in code
// so that they scale and need no image files.

#include <QIcon>
#include <QPixmap>

namespace controls::pictures {

QIcon info();      // a blue "i" in a circle
QIcon notes();     // a yellow note sheet with lines
QIcon print();     // a printer with a sheet
QIcon help();      // a question mark
QIcon exit();      // an open door with an arrow
QIcon ok();        // a green tick
QPixmap programIcon(int size = 32);   // a note in a record

} // namespace controls::pictures
