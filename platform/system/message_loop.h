#pragma once
// The one way the program's long loops keep its windows alive on the single user-interface thread. Each
// host defines it: platform/qt/message_loop.cpp, platform/win/message_loop.cpp.

namespace morvane {

// Handles every window message that is pending now (paints, input, timers), then returns.
// Safe to call when no QCoreApplication exists yet: then there is nothing to handle.
void yield_to_message_loop();

}  // namespace morvane
