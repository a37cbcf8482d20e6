#include "messagebox.h"

#include "coretext.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <memory>
#include <utility>

namespace tallyfen {

namespace {

MessageHandler& installedHandler()
{
    static MessageHandler handler;
    return handler;
}

// The box as the player sees it, not yet shown.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Message& message)
{
    const QMessageBox::Icon icon =
        message.kind == Message::Kind::warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(icon, fromUtf8(message.title), fromUtf8(message.text),
                                             QMessageBox::Ok, parent);
    // A box's text quoted in a message is shown as typed, never read as markup.
    box->setTextFormat(Qt::PlainText);
    // A window does not pass its font on to a box of its own; the desktop's would stand out.
    if (parent)
        box->setFont(parent->window()->font());
    // Some desktops put an icon on every OK button; the program's buttons carry none.
    box->button(QMessageBox::Ok)->setIcon(QIcon());
    // Without an icon Qt's box still keeps the icon's column at the left, so the text stands
    // off-centre: it spans both columns instead (Qt 6 lays the box out in a grid, text at row 0).
    if (icon == QMessageBox::NoIcon) {
        auto* grid = static_cast<QGridLayout*>(box->layout());
        grid->addWidget(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")), 0, 0, 1,
                        grid->columnCount());
    }
    return box;
}

} // namespace

void showMessage(QWidget* parent, const Message& message, std::function<void()> closed)
{
    if (const MessageHandler& handler = installedHandler()) {
        handler(parent, message);
        if (closed)
            closed();
        return;
    }
    QMessageBox* box = makeMessageBox(parent, message).release();
    // Modal by itself; gone once closed.
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The window the box was over takes the player's input again, as a desktop's window manager
    // sees to and a web page does not.
    QWidget* window = parent ? parent->window() : nullptr;
    QObject::connect(box, &QDialog::finished, box, [window, closed = std::move(closed)] {
        if (window)
            window->activateWindow();
        if (closed)
            closed();
    });
    box->show();
}

void setMessageHandler(MessageHandler handler)
{
    installedHandler() = std::move(handler);
}

} // namespace tallyfen
