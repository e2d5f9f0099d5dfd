#pragma once

#include "app/coordinator/HUDAnzeige.hpp"
#include "app/coordinator/LiveAnzeige.hpp"

#include <QString>
#include <functional>

namespace parlix {

// What the recording coordinator shows the user. The referenced objects must outlive
// the coordinator; all of it is used on the main thread.
struct AufnahmeAnzeige {
    HUDAnzeige& hud;
    LiveAnzeige& liveBox;
    // The text of a localisation key in the interface language.
    std::function<QString(const QString& key)> text;
};

} // namespace parlix
