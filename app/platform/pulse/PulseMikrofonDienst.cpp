#include "app/platform/pulse/PulseMikrofonDienst.hpp"

#include "app/platform/KindProzess.hpp"
#include "app/platform/pulse/Mikrofone.hpp"
#include "app/platform/pulse/PulseVerbindung.hpp"

#include <QStandardPaths>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The permission row waits for this on the main thread; a healthy server answers in
// milliseconds.
constexpr std::chrono::milliseconds probeFrist{700};

// Programs that show the sound settings, the current desktop's own first.
QList<QStringList> toneinstellungen() {
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper();
    QList<QStringList> kandidaten;
    if (desktop.contains(u"KDE"_s)) {
        kandidaten.append({u"systemsettings"_s, u"kcm_pulseaudio"_s});
    }
    if (desktop.contains(u"GNOME"_s) || desktop.contains(u"UNITY"_s)) {
        kandidaten.append({u"gnome-control-center"_s, u"sound"_s});
    }
    kandidaten.append({u"pavucontrol"_s});
    kandidaten.append({u"pavucontrol-qt"_s});
    kandidaten.append({u"gnome-control-center"_s, u"sound"_s});
    return kandidaten;
}

} // namespace

std::vector<Mikrofon> PulseMikrofonDienst::liste() {
    return Mikrofone::liste();
}

bool PulseMikrofonDienst::kannAufnehmen() {
    try {
        PulseVerbindung verbindung(probeFrist);
        verbindung.starteAufnahme({}, 1024, [](const char*, std::size_t) {});
        verbindung.stoppeAufnahme();
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

bool PulseMikrofonDienst::oeffneToneinstellungen() {
    for (const QStringList& kandidat : toneinstellungen()) {
        if (QStandardPaths::findExecutable(kandidat.first()).isEmpty()) {
            continue;
        }
        // setsid -f detaches the program, so it outlives the child we wait for.
        return KindProzess::ausgabe(u"setsid"_s, QStringList{u"-f"_s} + kandidat,
                                    std::chrono::seconds(5))
            .has_value();
    }
    return false;
}

} // namespace parlix
