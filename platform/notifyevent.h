#pragma once

#include <functional>

class QObject;

// The handler type of the components' events: it receives the object whose event fired.
using TNotifyEvent = std::function<void(QObject *Sender)>;
