// The window's controls as page elements too, for the players the canvas alone leaves out: a
// text field over each count box, a button over each button and over an open message's OK. A
// phone opens its number keyboard in them, a screen reader reads them, and a desktop browser's
// keys, clipboard and selection work in them as in the desktop program. The canvas still draws
// everything the player sees; the page's half (packaging/web/pagecontrols.js) keeps the elements
// transparent. This half keeps each element and its widget in step, both ways.
#include "controlstomirror.h"
#include "countbox.h"
#include "frmtallyfen.h"
#include "resultannouncement.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>
#include <vector>

namespace tallyfen {
namespace {

using emscripten::val;

// The page's half, which the page hands to the program before it starts.
val page()
{
    return val::module_property("tallyfenPage");
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// What a screen reader calls the widget on the desktop.
std::string spokenName(QWidget* widget)
{
    return utf8(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name));
}

// Qt's logical pixels on the web are the page's CSS pixels, counted from the screen's corner.
void placeOnPage(int id, const QWidget* widget)
{
    const QPoint corner =
        widget->mapToGlobal(QPoint(0, 0)) - widget->screen()->geometry().topLeft();
    page().call<void>("place", id, corner.x(), corner.y(), widget->width(), widget->height());
}

// The keys a page control passes on to its widget rather than handling itself.
Qt::Key qtKey(const std::string& key, bool shift)
{
    if (key == "Tab")
        return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    if (key == "Enter")
        return Qt::Key_Return;
    if (key == "Escape")
        return Qt::Key_Escape;
    if (key == " ")
        return Qt::Key_Space;
    return Qt::Key_unknown;
}

class PageControls : public QObject
{
public:
    using QObject::QObject;

    // What the player did to a page element, for its widget to do too.
    void typed(int id, const std::string& text, int start, int end, bool backward)
    {
        followPage(id, [&](CountBox* box) {
            const QString boxText = QString::fromStdString(text);
            if (box->text() != boxText)
                box->setText(boxText);
            select(box, start, end, backward);
        });
    }

    void selected(int id, int start, int end, bool backward)
    {
        followPage(id, [&](CountBox* box) { select(box, start, end, backward); });
    }

    void focused(int id)
    {
        QWidget* widget = control(id);
        if (widget && widget != QApplication::focusWidget())
            widget->setFocus(Qt::OtherFocusReason);
    }

    // Sends the key to the widget as the canvas would; false where the key is not passed on.
    bool key(int id, const std::string& key, bool shift, bool press)
    {
        QWidget* widget = control(id);
        const Qt::Key qtkey = qtKey(key, shift);
        if (!widget || qtkey == Qt::Key_unknown)
            return false;
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtkey,
                        shift ? Qt::ShiftModifier : Qt::NoModifier,
                        qtkey == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QApplication::sendEvent(widget, &event);
        return true;
    }

    // A press that came with no key or pointer: a screen reader's, or a phone keyboard's Go.
    void click(int id)
    {
        if (auto* button = qobject_cast<QAbstractButton*>(control(id)))
            button->click();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType() || !static_cast<QWidget*>(watched)->isWindow())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Show:
            if (auto* calculator = qobject_cast<frmTallyfen*>(window))
                mirror(calculator->controlsToMirror());
            else if (auto* message = qobject_cast<QMessageBox*>(window))
                mirror(message);
            placeAll();
            break;
        case QEvent::Move:
            placeAll();
            break;
        case QEvent::Hide:
            if (window == m_message)
                closeMessage();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void mirror(const ControlsToMirror& controls)
    {
        if (!m_controls.empty())
            return;
        page().call<void>("attach", val::module_property("installedPageControls")());
        for (CountBox* box : controls.countBoxes) {
            const int id = add(box);
            page().call<void>("addBox", id, spokenName(box));
            connect(box, &CountBox::spokenNameChanged, this,
                    [id](const QString& name) { page().call<void>("rename", id, utf8(name)); });
            auto show = [this, id] {
                if (!m_followingPage)
                    showBox(id);
            };
            connect(box, &QLineEdit::textChanged, this, show);
            connect(box, &QLineEdit::selectionChanged, this, show);
            connect(box, &QLineEdit::cursorPositionChanged, this, show);
            showBox(id);
        }
        for (QPushButton* button : controls.buttons)
            page().call<void>("addButton", add(button), spokenName(button));
        connect(controls.resultAnnouncement, &ResultAnnouncement::announced, this,
                [](const QString& text) { page().call<void>("announce", utf8(text)); });
        connect(qApp, &QApplication::focusChanged, this, &PageControls::showFocus);
        showFocus(nullptr, QApplication::focusWidget());
    }

    // The message's OK is the last control while it is open; the window's controls wait.
    void mirror(QMessageBox* message)
    {
        m_message = message;
        QAbstractButton* ok = message->button(QMessageBox::Ok);
        page().call<void>("openMessage", add(ok), utf8(message->windowTitle()),
                          utf8(message->text()), spokenName(ok));
    }

    void closeMessage()
    {
        m_controls.pop_back();
        m_message = nullptr;
        page().call<void>("closeMessage");
    }

    int add(QWidget* widget)
    {
        m_controls.emplace_back(widget);
        return static_cast<int>(m_controls.size()) - 1;
    }

    QWidget* control(int id) const
    {
        if (id < 0 || id >= static_cast<int>(m_controls.size()))
            return nullptr;
        return m_controls[static_cast<std::size_t>(id)];
    }

    CountBox* countBox(int id) const { return qobject_cast<CountBox*>(control(id)); }

    // The box takes the field's text and selection, step by step, and shows the page only where it
    // ends: a step between (the caret at the end after the text) would move the player's caret.
    template <typename Change> void followPage(int id, Change change)
    {
        CountBox* box = countBox(id);
        if (!box)
            return;
        m_followingPage = true;
        change(box);
        m_followingPage = false;
        showBox(id);
    }

    static void select(CountBox* box, int start, int end, bool backward)
    {
        if (start == end)
            box->setCursorPosition(start);
        else if (backward)
            box->setSelection(end, start - end);
        else
            box->setSelection(start, end - start);
    }

    void showBox(int id) const
    {
        const CountBox* box = countBox(id);
        const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        const int end = box->hasSelectedText() ? box->selectionEnd() : start;
        page().call<void>("showBox", id, utf8(box->text()), start, end,
                          box->hasSelectedText() && box->cursorPosition() == start);
    }

    void showFocus(QWidget*, QWidget* now) const
    {
        for (std::size_t id = 0; id < m_controls.size(); ++id) {
            if (m_controls[id] == now)
                page().call<void>("focus", static_cast<int>(id));
        }
    }

    void placeAll() const
    {
        for (std::size_t id = 0; id < m_controls.size(); ++id) {
            if (m_controls[id] && m_controls[id]->isVisible())
                placeOnPage(static_cast<int>(id), m_controls[id]);
        }
    }

    std::vector<QPointer<QWidget>> m_controls;
    QPointer<QMessageBox> m_message;
    bool m_followingPage = false;
};

// The program's one set, made as it starts, for the page to call.
PageControls* installed = nullptr;

PageControls* installedPageControls()
{
    return installed;
}

} // namespace
} // namespace tallyfen

EMSCRIPTEN_BINDINGS(tallyfen_page_controls)
{
    emscripten::function("installedPageControls", &tallyfen::installedPageControls,
                         emscripten::allow_raw_pointers());
    emscripten::class_<tallyfen::PageControls>("PageControls")
        .function("typed", &tallyfen::PageControls::typed)
        .function("selected", &tallyfen::PageControls::selected)
        .function("focused", &tallyfen::PageControls::focused)
        .function("key", &tallyfen::PageControls::key)
        .function("click", &tallyfen::PageControls::click);
}

// Qt's own hidden text field, which it focuses on a tap, asks a phone for the letter keyboard and
// takes whole words badly: the page's fields take the text instead. Qt reads this as it starts.
[[maybe_unused]] static const int withoutQtTextField = setenv("QT_IM_MODULE", "none", 1);

static void installPageControls()
{
    tallyfen::installed = new tallyfen::PageControls(qApp);
    qApp->installEventFilter(tallyfen::installed);
}
Q_COREAPP_STARTUP_FUNCTION(installPageControls)
