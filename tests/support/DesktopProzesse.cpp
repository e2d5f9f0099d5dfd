#include "tests/support/DesktopProzesse.hpp"

#include "tests/support/Sitzungsbus.hpp"

#include <csignal>

using namespace Qt::StringLiterals;

namespace parlix::test {

DesktopProzesse::~DesktopProzesse() {
    for (auto prozess = prozesse_.rbegin(); prozess != prozesse_.rend(); ++prozess) {
        (*prozess)->sende(SIGTERM);
        if (!(*prozess)->warteAufEnde(std::chrono::seconds(3))) {
            (*prozess)->sende(SIGKILL);
            (*prozess)->warteAufEnde(std::chrono::seconds(3));
        }
    }
}

KindProzess& DesktopProzesse::starte(const QString& programm, const QStringList& argumente,
                                     const QString& protokoll,
                                     std::optional<QStringList> umgebung) {
    // setpriv ends the child with this process, even when a test aborts.
    return nimm(std::make_unique<KindProzess>(
        u"setpriv"_s, QStringList{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, programm} + argumente,
        KindProzess::Optionen{verzeichnis_ + u'/' + protokoll + u".log"_s, std::move(umgebung)}));
}

KindProzess& DesktopProzesse::nimm(std::unique_ptr<KindProzess> prozess) {
    prozesse_.push_back(std::move(prozess));
    return *prozesse_.back();
}

std::optional<QByteArray> DesktopProzesse::starteBus(const QStringList& ohneDienste,
                                                     std::chrono::milliseconds frist) {
    KindProzess& bus =
        starte(u"dbus-daemon"_s,
               {u"--config-file="_s + sitzungsbusKonfiguration(verzeichnis_, ohneDienste),
                u"--nofork"_s, u"--nopidfile"_s, u"--print-address=1"_s},
               u"dbus-daemon"_s);
    QByteArray adresse;
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (bus.gestartet() && !adresse.contains('\n') && std::chrono::steady_clock::now() < ende) {
        adresse += bus.lies(std::chrono::milliseconds(50));
    }
    if (!adresse.contains('\n')) {
        return std::nullopt;
    }
    return adresse.left(adresse.indexOf('\n')).trimmed();
}

} // namespace parlix::test
