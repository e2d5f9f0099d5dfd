#include "app/platform/pulse/PulseStummschalter.hpp"

#include "app/platform/pulse/PulseVerbindung.hpp"
#include "core/log/DateiLog.hpp"
#include "core/util/AtomareDatei.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace parlix {

PulseStummschalter::PulseStummschalter(QString zustandsDatei)
    : zustandsDatei_(std::move(zustandsDatei)) {}

QString PulseStummschalter::standardZustandsDatei() {
    QString basis = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(basis)) {
        basis = QDir::homePath() + u"/.local/state"_s;
    }
    return basis + u"/parlix/ausgabe-vorher.json"_s;
}

void PulseStummschalter::absenken(int prozent) {
    if (vorher_ || prozent >= 100) {
        return;
    }
    try {
        PulseVerbindung verbindung;
        repariere(verbindung);
        const QString name = verbindung.standardSenke();
        const std::optional<PulseSenke> senke =
            name.isEmpty() ? std::nullopt : verbindung.senke(name);
        const std::optional<Absenkung> plan =
            senke ? Absenkung::plane(*senke, prozent) : std::nullopt;
        if (!plan) {
            return;
        }
        // Saved before the change, so that a crash right after it is still repaired.
        speichereZustand(*plan);
        vorher_ = plan;
        if (plan->art == Absenkung::Art::Lautstaerke) {
            verbindung.setzeLautstaerke(name, plan->gesetzt);
        } else if (!plan->warStumm) {
            verbindung.setzeStumm(name, true);
        }
    } catch (const std::runtime_error&) {
        // No sound server: nothing to lower.
    }
}

void PulseStummschalter::wiederherstellen() {
    if (!vorher_) {
        return;
    }
    const Absenkung absenkung = *std::exchange(vorher_, std::nullopt);
    try {
        PulseVerbindung verbindung;
        stelleWiederHer(verbindung, absenkung);
        loescheZustand();
    } catch (const std::runtime_error&) {
        // The file stays, so the next start puts the sound back.
    }
}

void PulseStummschalter::repariereNachAbsturz() {
    if (vorher_ || !QFileInfo::exists(zustandsDatei_)) {
        return;
    }
    try {
        PulseVerbindung verbindung;
        repariere(verbindung);
    } catch (const std::runtime_error&) {
        // Kept for the next attempt.
    }
}

bool PulseStummschalter::stelleWiederHer(PulseVerbindung& verbindung, const Absenkung& absenkung) {
    const std::optional<PulseSenke> jetzt = verbindung.senke(absenkung.senke);
    if (!jetzt || !absenkung.nochGesetzt(*jetzt)) {
        return false; // gone, or changed since: the user's setting wins
    }
    if (absenkung.art == Absenkung::Art::Lautstaerke) {
        return verbindung.setzeLautstaerke(absenkung.senke, absenkung.vorher);
    }
    return !absenkung.warStumm && verbindung.setzeStumm(absenkung.senke, false);
}

void PulseStummschalter::repariere(PulseVerbindung& verbindung) {
    const std::optional<Absenkung> liegengeblieben = ladeZustand();
    if (!liegengeblieben) {
        return;
    }
    if (stelleWiederHer(verbindung, *liegengeblieben)) {
        log().schreibe(u"Ausgabe "_s + liegengeblieben->senke +
                       u" nach abgebrochener Aufnahme wiederhergestellt"_s);
    }
    loescheZustand();
}

std::optional<Absenkung> PulseStummschalter::ladeZustand() const {
    QFile datei(zustandsDatei_);
    if (!datei.exists()) {
        return std::nullopt;
    }
    std::optional<Absenkung> absenkung;
    if (datei.open(QIODevice::ReadOnly)) {
        absenkung = Absenkung::ausJson(datei.read(64 * 1024));
    }
    if (!absenkung) {
        log().schreibe(u"FEHLER: Gespeicherte Ausgabelautstärke unlesbar, verworfen: "_s +
                       zustandsDatei_);
        loescheZustand();
    }
    return absenkung;
}

void PulseStummschalter::speichereZustand(const Absenkung& absenkung) const {
    if (const auto grund =
            AtomareDatei::schreibe(zustandsDatei_, absenkung.alsJson(),
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        log().schreibe(u"FEHLER: Ausgabelautstärke nicht gespeichert: "_s + zustandsDatei_ +
                       u" ("_s + *grund + u')');
    }
}

void PulseStummschalter::loescheZustand() const {
    QFile::remove(zustandsDatei_);
}

} // namespace parlix
