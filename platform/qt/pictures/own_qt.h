#pragma once
// A copy of Morvane that brings its own Qt (the portable one for any Linux, whose qt.conf beside the programs
// names the plugins that came with it) must load no plugin of the system's Qt. QT_PLUGIN_PATH, which some
// desktops set, would put the system's plugins before those: Qt takes the first plugin of each kind it finds.

namespace morvane {

// Called before Qt starts; does nothing for a program without a qt.conf beside it.
void keep_to_own_qt_plugins();

}  // namespace morvane
