#pragma once

#include <functional>

class QObject;

// The handler type of the components' events: it receives the object whose event fired.
using TNotifyEvent = std::function<void(QObject *Sender)>;

// Calls the handler, if one is set. An exception it throws goes straight to the application's
// error reporting (TApplication::HandleException) instead of unwinding through Qt's event
// delivery, which is built without exception support and would skip its own clean-up. Without a
// TApplication the exception propagates.
void RaiseNotifyEvent(const TNotifyEvent &handler, QObject *sender);
