#pragma once

#include <functional>
#include <sentences.h>

class QWidget;

namespace tallyfen {

// Shows the message in a modal box and returns at once; `closed` runs once the player has closed
// the box. No platform then needs an event loop inside another (a browser has none).
void showMessage(QWidget* parent, const Message& message, std::function<void()> closed = {});

// Lets tests answer messages instead of the player: the handler answers at once, and `closed`
// runs after it. An empty handler brings back the real box.
using MessageHandler = std::function<void(QWidget* parent, const Message& message)>;
void setMessageHandler(MessageHandler handler);

} // namespace tallyfen
