#include "app/platform/wayland/sway/SwayUeberlagerungen.hpp"

#include "app/platform/wayland/sway/SwayIpc.hpp"

using namespace Qt::StringLiterals;

namespace parlix::SwayUeberlagerungen {

bool richteEin(SwayIpc& ipc, const QString& anwendungsID) {
    // The id is ours and plain; its dots match themselves too.
    const QString kriterien =
        u"[app_id=\"^%1$\" title=\"^Parlix (HUD|Live)$\"]"_s.arg(anwendungsID);
    // One rule per action: sway splits a command list at its commas.
    bool alle = ipc.befehl(u"no_focus "_s + kriterien);
    for (const QString& aktion : {u"floating enable"_s, u"sticky enable"_s, u"border none"_s}) {
        alle = ipc.befehl(u"for_window "_s + kriterien + u' ' + aktion) && alle;
    }
    return alle;
}

} // namespace parlix::SwayUeberlagerungen
