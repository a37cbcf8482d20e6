#include "windowstate.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <judgement.h>

namespace {

const char* const boxNames[] = {"txtMarvelous", "txtPerfect", "txtGreat", "txtGood",
                                "txtBoo",       "txtMiss",    "txtOK",    "txtMaxOK"};

} // namespace

WindowState captureState(const QWidget& window)
{
    WindowState state;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QLatin1String("img")))
            state.picturesShown.append(!label->isHidden());
        else
            state.labelTexts.append(label->text());
    }
    for (const char* name : boxNames)
        state.boxTexts.append(window.findChild<QLineEdit*>(QLatin1String(name))->text());
    return state;
}
