#pragma once
// The desktop's media control interface (MPRIS 2) over the player: the
// service's hooks read the playback controller, the engine, the playback
// state and the playlist, and run its commands through the controller as the
// keys do. Interface thread only.
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

#include "app/mpris/mpris_service.h"
#include "settings/settings.h"
#include "playback/player.h"

namespace app {

// The player's facts as the service reads them.
mpris::PlayerFacts playerFacts(playback::Player& player, const settings::Settings& settings);

// Builds the service and registers it on the session bus; nullptr (and
// nothing shown to the user) when there is no bus or no name. The player,
// the settings and the main window must outlive the service.
std::unique_ptr<mpris::MprisService> startMpris(playback::Player& player,
                                                settings::Settings& settings,
                                                QPointer<QWidget> mainWindow,
                                                const std::string& programName);

}  // namespace app
