#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace tallyfen {

// One message for the player: a box with a title, a text and an OK button.
struct Message
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;

    friend bool operator==(const Message&, const Message&) = default;
};

// Shows the message and returns when the player has closed it.
void showMessage(QWidget* parent, const Message& message);

// Lets tests answer messages instead of the player; an empty handler brings back the real box.
using MessageHandler = std::function<void(QWidget* parent, const Message& message)>;
void setMessageHandler(MessageHandler handler);

} // namespace tallyfen
