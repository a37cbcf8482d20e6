#include "messagebox.h"

#include <utility>

namespace tallyfen {

namespace {

MessageHandler& installedHandler()
{
    static MessageHandler handler;
    return handler;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const Message& message)
{
    auto box = std::make_unique<QMessageBox>(message.icon, message.title, message.text,
                                             QMessageBox::Ok, parent);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void showMessage(QWidget* parent, const Message& message)
{
    if (const MessageHandler& handler = installedHandler()) {
        handler(parent, message);
        return;
    }
    makeMessageBox(parent, message)->exec();
}

void setMessageHandler(MessageHandler handler)
{
    installedHandler() = std::move(handler);
}

} // namespace tallyfen
