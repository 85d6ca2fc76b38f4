#include "platform/system/message_loop.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace morvane {

void yield_to_message_loop() {
    if (QCoreApplication::instance() == nullptr) return;
    // Posted events first (repaints queued by property changes), then whatever the window system has.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace morvane
