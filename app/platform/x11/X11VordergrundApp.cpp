#include "app/platform/x11/X11VordergrundApp.hpp"

#include "app/platform/ProzessKennung.hpp"
#include "app/platform/x11/EwmhAbfrage.hpp"

#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace parlix {

std::optional<QString> X11VordergrundApp::anwendungsID() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const auto fenster = EwmhAbfrage(*v).aktivesFenster();
    return fenster ? anwendungsID(*fenster) : std::nullopt;
}

std::optional<qint64> X11VordergrundApp::prozess() {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*v);
    const auto fenster = ewmh.aktivesFenster();
    if (!fenster) {
        return std::nullopt;
    }
    const auto rechner = ewmh.text(*fenster, "WM_CLIENT_MACHINE");
    if (rechner && *rechner != QSysInfo::machineHostName()) {
        return std::nullopt;
    }
    return ewmh.pid(*fenster);
}

std::optional<QString> X11VordergrundApp::anwendungsID(quint64 fenster) {
    const XVerbindung* v = XVerbindung::offen(verbindung_);
    if (v == nullptr) {
        return std::nullopt;
    }
    const EwmhAbfrage ewmh(*v);
    for (const char* eigenschaft : {"_GTK_APPLICATION_ID", "_KDE_NET_WM_DESKTOP_FILE"}) {
        if (auto id = ewmh.text(fenster, eigenschaft)) {
            // Some toolkits name the file, not the id.
            if (id->endsWith(u".desktop"_s)) {
                id->chop(u".desktop"_s.size());
            }
            return id;
        }
    }
    if (const auto pid = ewmh.pid(fenster)) {
        if (auto id = ProzessKennung::paket(*pid)) {
            return id;
        }
    }
    const auto klasse = ewmh.klasse(fenster);
    if (!klasse) {
        return std::nullopt;
    }
    for (const QString& name : {klasse->klasse, klasse->instanz}) {
        if (auto id = eintraege_.zuWmKlasse(name)) {
            return id;
        }
    }
    if (klasse->klasse.isEmpty()) {
        return std::nullopt;
    }
    return klasse->klasse;
}

} // namespace parlix
