#include "app/platform/x11/X11Dienste.hpp"

#include "app/platform/x11/X11EscMonitor.hpp"
#include "app/platform/x11/X11VollbildSonde.hpp"
#include "app/platform/x11/X11VordergrundApp.hpp"
#include "app/platform/x11/XVerbindung.hpp"

namespace parlix::X11Dienste {

bool istWaylandSitzung() {
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

bool verfuegbar() {
    return !istWaylandSitzung() && XVerbindung::oeffne().has_value();
}

std::unique_ptr<X11TastenQuelle> tastenQuelle(MainQueue& queue, DefaultsStore& speicher) {
    return std::make_unique<X11TastenQuelle>(queue, speicher);
}

std::unique_ptr<EscMonitor> escMonitor(MainQueue& queue) {
    return std::make_unique<X11EscMonitor>(queue);
}

std::unique_ptr<VollbildSonde> vollbildSonde(MainQueue& queue) {
    return std::make_unique<X11VollbildSonde>(queue);
}

std::unique_ptr<VordergrundApp> vordergrundApp() {
    return std::make_unique<X11VordergrundApp>();
}

} // namespace parlix::X11Dienste
