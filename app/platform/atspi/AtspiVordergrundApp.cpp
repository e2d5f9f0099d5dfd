#include "app/platform/atspi/AtspiVordergrundApp.hpp"

#include "app/platform/ProzessKennung.hpp"
#include "app/platform/atspi/AtspiBaum.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"

namespace parlix {

std::optional<QString> AtspiVordergrundApp::anwendungsID() {
    const auto pid = prozess();
    return pid ? ProzessKennung::anwendung(*pid) : std::nullopt;
}

std::optional<qint64> AtspiVordergrundApp::prozess() {
    const auto pid = verbindung_.fuehreAus<qint64>(
        [] {
            const AtspiBaum::Knoten fenster = AtspiBaum::aktivesFenster();
            if (!fenster) {
                return qint64{0};
            }
            GError* fehler = nullptr;
            const guint pid = atspi_accessible_get_process_id(fenster.get(), &fehler);
            g_clear_error(&fehler);
            return static_cast<qint64>(pid);
        },
        kFrist);
    if (!pid || *pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

} // namespace parlix
