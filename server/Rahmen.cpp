#include "server/Rahmen.hpp"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QByteArray kopfEnde = QByteArrayLiteral("\r\n\r\n");

bool nurZiffern(const QByteArray& text) {
    return !text.isEmpty() && text.size() <= 18 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Rahmen::Verstoss schlecht(const QString& detail) {
    return {400, detail};
}

} // namespace

Rahmen::Rahmen(const ServerGrenzen& grenzen)
    : grenzen_(grenzen) {}

Rahmen::Ergebnis Rahmen::nimm(QByteArrayView bytes) {
    Ergebnis ergebnis;
    qsizetype pos = 0;
    while (pos < bytes.size() && !verstossen_ && !durchgereicht_) {
        if (restKoerper_ > 0) {
            const qint64 teil = std::min<qint64>(restKoerper_, bytes.size() - pos);
            (ergebnis.neueKoerper.isEmpty() ? ergebnis.fortgesetzt : ergebnis.neueKoerper.last()) +=
                teil;
            restKoerper_ -= teil;
            pos += teil;
            continue;
        }
        const qsizetype vorher = kopf_.size();
        kopf_.append(bytes.sliced(pos));
        const qsizetype ende = kopf_.indexOf(kopfEnde, std::max<qsizetype>(0, vorher - 3));
        // A parser that accepts bare line feeds would see other requests than we do.
        const qsizetype kopfSchluss = ende < 0 ? kopf_.size() : ende;
        for (qsizetype i = kopf_.indexOf('\n', vorher); i >= 0 && i < kopfSchluss;
             i = kopf_.indexOf('\n', i + 1)) {
            if (i == 0 || kopf_[i - 1] != '\r') {
                ergebnis.verstoss = schlecht(u"Zeilen enden mit CR LF."_s);
                verstossen_ = true;
                return ergebnis;
            }
        }
        if (ende < 0 || ende + 4 > grenzen_.maxKopfBytes) {
            pos = bytes.size();
            if (kopf_.size() > grenzen_.maxKopfBytes) {
                ergebnis.verstoss = Verstoss{431, u"Die Kopfzeilen sind zu lang."_s};
            }
        } else {
            pos += ende + 4 - vorher;
            kopf_.truncate(ende);
            qint64 koerper = 0;
            ergebnis.verstoss = kopfFertig(koerper);
            kopf_.clear();
            if (!ergebnis.verstoss) {
                restKoerper_ = koerper;
                ergebnis.neueKoerper.append(0);
                if (http10_) {
                    alte_.insert(koepfe_);
                }
                ++koepfe_;
            }
        }
        verstossen_ = ergebnis.verstoss.has_value();
    }
    return ergebnis;
}

std::optional<Rahmen::Verstoss> Rahmen::kopfFertig(qint64& koerper) {
    const QByteArray einheitlich = QByteArray(kopf_).replace("\r\n", "\n");
    if (einheitlich.contains('\r')) {
        return schlecht(u"Zeilen enden mit CR LF."_s);
    }
    QList<QByteArray> zeilen = einheitlich.split('\n');
    while (!zeilen.isEmpty() && zeilen.first().isEmpty()) { // blank lines between requests
        zeilen.removeFirst();
    }
    const QList<QByteArray> anfang =
        zeilen.isEmpty() ? QList<QByteArray>() : zeilen.first().split(' ');
    if (anfang.size() != 3 || anfang[0].isEmpty() || !anfang[2].startsWith("HTTP/1.")) {
        return schlecht(u"Unverständliche Anfragezeile."_s);
    }
    http10_ = anfang[2] == "HTTP/1.0";
    if (zeilen.size() - 1 > grenzen_.maxKopfzeilen) {
        return Verstoss{431, u"Zu viele Kopfzeilen."_s};
    }
    QList<QByteArray> laengen;
    int hosts = 0;
    bool webSocket = false;
    bool verbindungUpgrade = false;
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        const QByteArray& zeile = zeilen[i];
        const qsizetype doppelpunkt = zeile.indexOf(':');
        const QByteArray name = zeile.left(doppelpunkt).toLower();
        if (doppelpunkt <= 0 || name.contains(' ') || name.contains('\t')) {
            return schlecht(u"Unverständliche Kopfzeile."_s);
        }
        const QByteArray wert = zeile.mid(doppelpunkt + 1).trimmed();
        if (name == "content-length") {
            laengen.append(wert);
        } else if (name == "host") {
            ++hosts;
        } else if (name == "transfer-encoding") {
            return Verstoss{411, u"Bitte den Inhalt mit Content-Length senden."_s};
        } else if (name == "upgrade") {
            webSocket = wert.compare("websocket", Qt::CaseInsensitive) == 0;
        } else if (name == "connection") {
            verbindungUpgrade = wert.toLower().contains("upgrade");
        }
    }
    // Only a WebSocket upgrade hands the connection over; any other request stays framed.
    durchgereicht_ = webSocket && verbindungUpgrade;
    // HTTP/1.1 names the host exactly once; HTTP/1.0 may leave it out.
    if (hosts > 1 || (hosts == 0 && anfang[2] != "HTTP/1.0")) {
        return schlecht(u"Die Anfrage braucht genau eine Host-Kopfzeile."_s);
    }
    if (laengen.size() > 1) {
        return schlecht(u"Mehr als eine Content-Length."_s);
    }
    if (laengen.isEmpty()) {
        return std::nullopt;
    }
    if (!nurZiffern(laengen.first())) {
        return schlecht(u"Ungültige Content-Length."_s);
    }
    const QString pfad = QString::fromLatin1(anfang[1]);
    const bool gross =
        std::any_of(grenzen_.grossePfade.begin(), grenzen_.grossePfade.end(),
                    [&](const QString& praefix) { return pfad.startsWith(praefix); });
    const qint64 grenze = gross ? grenzen_.maxKoerperGross : grenzen_.maxKoerper;
    koerper = laengen.first().toLongLong();
    if (koerper > grenze) {
        return Verstoss{413, u"Der Inhalt ist größer als %1 Bytes."_s.arg(grenze)};
    }
    return std::nullopt;
}

} // namespace parlix
