#pragma once

#include <QIcon>
#include <QImage>
#include <QStringView>

// The pictures the programs carry, looked up by number the way the menus,
// the page renderer and the busy indicator name them ("#337" is 337):
//   1..99     inline icons, 18 x 18 (9 and 22: 18 x 12), RGB32, magenta
//             (255, 0, 255) where the page shows through;
//   333..349  menu pictures, 16 x 16, ARGB32 on transparent;
//   801..812  busy animation frames, 385 x 133, RGB32 on white;
//   200       the program icon at window size, ARGB32.
// Any other number gives a null image.
QImage ArtworkImage(int number);

// The picture named "#" followed by its decimal number; a null image for any
// other name.
QImage ArtworkImage(QStringView name);

// The program icon in all its sizes, for windows and the desktop.
QIcon ProgramIcon();
