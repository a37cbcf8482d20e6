#pragma once

#include <QByteArray>
#include <QImage>

// The program icon: a white window sheet leaning back, a cyan title bar along its top edge and a
// grey pointer at its lower right, on a transparent ground.
QImage drawProgramIcon(int size);

// The same drawing as an SVG 1.1 document.
QByteArray programIconSvg();
