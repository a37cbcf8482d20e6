// What a window in a web page needs that a desktop gives every window: the page's size and scale
// change under it (a zoom, a turned phone, a screen of another scale), and a click beside a
// message box lands on the window behind it. Built into the web program only, where it starts
// with the application.
#include "frmtallyfen.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace tallyfen {
namespace {

class PageManners : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show)
            followPageOf(window);
        else if (event->type() == QEvent::WindowActivate)
            keepMessageInCharge(window);
        return false;
    }

private:
    // The page is the screen; it exists once the first window is shown.
    void followPageOf(QWidget* window)
    {
        connect(window->screen(), &QScreen::geometryChanged, this, &PageManners::fitToPage,
                Qt::UniqueConnection);
    }

    // Every shown window goes to the middle of the page, or with its top-left in view where the
    // page is smaller, and is drawn afresh: Qt's web platform keeps a window where it was, and at
    // a new scale redraws only what changed, over a blank picture of the new size.
    void fitToPage(const QRect& page)
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            QRect placed = window->frameGeometry();
            placed.moveCenter(page.center());
            window->move(std::max(placed.left(), page.left()), std::max(placed.top(), page.top()));
            if (auto* calculator = qobject_cast<frmTallyfen*>(window))
                calculator->showPicturesForScreen();
            window->update();
        }
    }

    // Qt's web platform activates the window under a click even where a message box blocks it,
    // and the keys would then go nowhere: the box takes the activation back.
    static void keepMessageInCharge(QWidget* window)
    {
        QWidget* message = QApplication::activeModalWidget();
        if (message && message != window)
            QTimer::singleShot(0, message, [message] { message->activateWindow(); });
    }
};

} // namespace
} // namespace tallyfen

static void installPageManners()
{
    qApp->installEventFilter(new tallyfen::PageManners(qApp));
}
Q_COREAPP_STARTUP_FUNCTION(installPageManners)
