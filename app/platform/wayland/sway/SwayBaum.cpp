#include "app/platform/wayland/sway/SwayBaum.hpp"

#include "app/platform/wayland/sway/SwayIpc.hpp"

#include <QJsonArray>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace parlix::SwayBaum {

namespace {

QRect rechteck(const QJsonValue& wert) {
    return {wert[u"x"_s].toInt(), wert[u"y"_s].toInt(), wert[u"width"_s].toInt(),
            wert[u"height"_s].toInt()};
}

bool istFenster(const QJsonObject& knoten) {
    return knoten.contains(u"app_id"_s) && knoten.value(u"pid"_s).toInteger() > 0;
}

SwayFenster alsFenster(const QJsonObject& knoten) {
    SwayFenster fenster;
    fenster.anwendungsID = knoten.value(u"app_id"_s).toString();
    if (fenster.anwendungsID.isEmpty()) {
        fenster.anwendungsID = knoten.value(u"window_properties"_s)[u"class"_s].toString();
    }
    fenster.pid = knoten.value(u"pid"_s).toInteger();
    fenster.vollbild = knoten.value(u"fullscreen_mode"_s).toInt() != 0;
    fenster.fokussiert = knoten.value(u"focused"_s).toBool();
    const QRect aussen = rechteck(knoten.value(u"rect"_s));
    // window_rect is relative to the container.
    const QRect innen = rechteck(knoten.value(u"window_rect"_s)).translated(aussen.topLeft());
    fenster.rahmen = fenster.vollbild || innen.isEmpty() ? aussen : innen;
    return fenster;
}

void sammle(const QJsonObject& knoten, bool sichtbar, QList<SwayFenster>& liste) {
    if (knoten.value(u"type"_s).toString() == u"workspace"_s) {
        sichtbar = knoten.value(u"visible"_s).toBool(sichtbar);
    }
    if (sichtbar && istFenster(knoten)) {
        liste.append(alsFenster(knoten));
    }
    for (const QString& feld : {u"floating_nodes"_s, u"nodes"_s}) {
        for (const QJsonValue kind : knoten.value(feld).toArray()) {
            sammle(kind.toObject(), sichtbar, liste);
        }
    }
}

} // namespace

QList<SwayFenster> fensterAus(const QJsonObject& baum) {
    QList<SwayFenster> liste;
    sammle(baum, true, liste);
    std::stable_partition(liste.begin(), liste.end(),
                          [](const SwayFenster& f) { return f.fokussiert; });
    return liste;
}

std::optional<QList<SwayFenster>> fenster(SwayIpc& ipc) {
    const auto baum = ipc.frage(SwayIpc::kBaum, {});
    if (!baum || !baum->isObject()) {
        return std::nullopt;
    }
    return fensterAus(baum->object());
}

QList<QRect> ausgaben(SwayIpc& ipc) {
    QList<QRect> liste;
    const auto antwort = ipc.frage(SwayIpc::kAusgaben, {});
    for (const QJsonValue ausgabe : antwort ? antwort->array() : QJsonArray()) {
        if (ausgabe[u"active"_s].toBool()) {
            liste.append(rechteck(ausgabe[u"rect"_s]));
        }
    }
    return liste;
}

} // namespace parlix::SwayBaum
