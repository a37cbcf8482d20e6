#include "clickablelabel.h"

#include <QMouseEvent>

namespace tallyfen {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A press that is dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace tallyfen
