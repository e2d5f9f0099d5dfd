#include "app/platform/pulse/Absenkung.hpp"

#include "app/platform/pulse/PulseVerbindung.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Half a percent of the nominal volume.
constexpr quint32 kToleranz = PulseVerbindung::kLautstaerkeNorm / 200;
// The server's limits: at most 32 channels, volumes up to 2^31 - 1.
constexpr qsizetype kMaxKanaele = 32;
constexpr double kMaxLautstaerke = 2147483647.0;

quint32 anteil(quint32 wert, quint32 zaehler, quint32 nenner) {
    return static_cast<quint32>((static_cast<quint64>(wert) * zaehler + nenner / 2) / nenner);
}

QJsonArray alsArray(const std::vector<quint32>& werte) {
    QJsonArray array;
    for (quint32 wert : werte) {
        array.append(static_cast<qint64>(wert));
    }
    return array;
}

std::optional<std::vector<quint32>> kanaeleAus(const QJsonValue& wert) {
    if (!wert.isArray() || wert.toArray().isEmpty() || wert.toArray().size() > kMaxKanaele) {
        return std::nullopt;
    }
    std::vector<quint32> kanaele;
    for (const QJsonValue& kanal : wert.toArray()) {
        const double zahl = kanal.toDouble(-1);
        if (zahl < 0 || zahl > kMaxLautstaerke || std::floor(zahl) != zahl) {
            return std::nullopt;
        }
        kanaele.push_back(static_cast<quint32>(zahl));
    }
    return kanaele;
}

} // namespace

std::optional<Absenkung> Absenkung::plane(const PulseSenke& senke, int prozent) {
    const auto stufe = static_cast<quint32>(std::clamp(prozent, 0, 100));
    if (senke.lautstaerke.empty()) {
        if (stufe != 0) {
            return std::nullopt; // muting cannot lower partly
        }
        return Absenkung{senke.name, Art::Stumm, {}, {}, senke.stumm};
    }
    const quint32 ziel = anteil(PulseVerbindung::kLautstaerkeNorm, stufe, 100);
    const quint32 lautester = *std::max_element(senke.lautstaerke.begin(), senke.lautstaerke.end());
    if (lautester <= ziel) {
        return std::nullopt; // already at or below the level: lowering never raises
    }
    Absenkung absenkung{senke.name, Art::Lautstaerke, senke.lautstaerke, {}, senke.stumm};
    for (quint32 kanal : senke.lautstaerke) {
        absenkung.gesetzt.push_back(anteil(kanal, ziel, lautester));
    }
    return absenkung;
}

bool Absenkung::nochGesetzt(const PulseSenke& jetzt) const {
    if (art == Art::Stumm) {
        return jetzt.stumm;
    }
    return std::equal(gesetzt.begin(), gesetzt.end(), jetzt.lautstaerke.begin(),
                      jetzt.lautstaerke.end(), [](quint32 soll, quint32 ist) {
                          return (soll > ist ? soll - ist : ist - soll) <= kToleranz;
                      });
}

QByteArray Absenkung::alsJson() const {
    QJsonObject objekt{{u"senke"_s, senke},
                       {u"art"_s, art == Art::Stumm ? u"stumm"_s : u"lautstaerke"_s},
                       {u"warStumm"_s, warStumm}};
    if (art == Art::Lautstaerke) {
        objekt.insert(u"vorher"_s, alsArray(vorher));
        objekt.insert(u"gesetzt"_s, alsArray(gesetzt));
    }
    return QJsonDocument(objekt).toJson(QJsonDocument::Compact);
}

std::optional<Absenkung> Absenkung::ausJson(const QByteArray& json) {
    const QJsonObject objekt = QJsonDocument::fromJson(json).object();
    const QString senke = objekt.value(u"senke"_s).toString();
    const QString art = objekt.value(u"art"_s).toString();
    const QJsonValue warStumm = objekt.value(u"warStumm"_s);
    if (senke.isEmpty() || !warStumm.isBool()) {
        return std::nullopt;
    }
    if (art == u"stumm"_s) {
        return Absenkung{senke, Art::Stumm, {}, {}, warStumm.toBool()};
    }
    const auto vorher = kanaeleAus(objekt.value(u"vorher"_s));
    const auto gesetzt = kanaeleAus(objekt.value(u"gesetzt"_s));
    if (art != u"lautstaerke"_s || !vorher || !gesetzt || vorher->size() != gesetzt->size()) {
        return std::nullopt;
    }
    return Absenkung{senke, Art::Lautstaerke, *vorher, *gesetzt, warStumm.toBool()};
}

} // namespace parlix
