#pragma once

#include <QList>
#include <QString>

class QWidget;

// Everything of the window a player can see change: every label's caption, which grade pictures
// are shown, and the eight box texts (in the order the calculation reads them).
struct WindowState
{
    QList<QString> labelTexts;
    QList<bool> picturesShown;
    QList<QString> boxTexts;

    friend bool operator==(const WindowState&, const WindowState&) = default;
};

WindowState captureState(const QWidget& window);
