#include "app/platform/wayland/sway/SwayUeberlagerungen.hpp"

#include "app/platform/wayland/sway/SwayIpc.hpp"

using namespace Qt::StringLiterals;

namespace parlix::SwayUeberlagerungen {

bool richteEin(SwayIpc& ipc, const QString& anwendungsID) {
    // The id is ours and plain; its dots match themselves too.
    const QString kriterien =
        u"[app_id=\"^%1$\" title=\"^Parlix (HUD|Live)$\"]"_s.arg(anwendungsID);
    return ipc.befehl(u"no_focus "_s + kriterien) &&
           ipc.befehl(u"for_window "_s + kriterien +
                      u" floating enable, sticky enable, border none"_s);
}

} // namespace parlix::SwayUeberlagerungen
