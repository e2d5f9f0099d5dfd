#include "app/maintenance/Neustart.hpp"

#include "app/maintenance/Nachlauf.hpp"
#include "app/maintenance/ShellWort.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/text/Lokalisierung.hpp"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QStringList ohneBackend(QStringList argumente) {
    for (qsizetype i = 0; i < argumente.size();) {
        if (argumente[i] == u"--backend"_s) {
            argumente.remove(i, std::min<qsizetype>(2, argumente.size() - i));
        } else if (argumente[i].startsWith(u"--backend="_s)) {
            argumente.remove(i);
        } else {
            ++i;
        }
    }
    return argumente;
}

} // namespace

Neustart::Einrichtung Neustart::diesesProgramm() {
    return {
        .programm = QCoreApplication::applicationFilePath(),
        .argumente = QCoreApplication::arguments().mid(1),
        .pid = QCoreApplication::applicationPid(),
        .beende = Nachlauf::beendeProgramm,
    };
}

void Neustart::starteNeu(const Einrichtung& einrichtung) {
    QString befehl = u"exec "_s + shellWort(einrichtung.programm);
    for (const QString& argument : ohneBackend(einrichtung.argumente)) {
        befehl += u' ' + shellWort(argument);
    }
    if (!Nachlauf::starte(einrichtung.pid, befehl + u'\n')) {
        log().schreibe(u"FEHLER: Neustart: /bin/sh nicht gestartet"_s);
    }
    einrichtung.beende();
}

void Neustart::frageUndStarteNeu(DefaultsStore& speicher, QWidget* eltern, const QString& textKey) {
    frageUndStarteNeu(
        speicher,
        [eltern](const QString& titel, const QString& text, const QString& jetzt,
                 const QString& spaeter) {
            QMessageBox box(QMessageBox::Question, titel, titel, QMessageBox::NoButton, eltern);
            box.setInformativeText(text);
            QPushButton* jetztKnopf = box.addButton(jetzt, QMessageBox::AcceptRole);
            box.addButton(spaeter, QMessageBox::RejectRole);
            box.setDefaultButton(jetztKnopf);
            box.exec();
            return box.clickedButton() == jetztKnopf;
        },
        diesesProgramm(), textKey);
}

void Neustart::frageUndStarteNeu(DefaultsStore& speicher, const Frage& frage,
                                 const Einrichtung& einrichtung, const QString& textKey) {
    const QString sprache = Einstellungen(speicher).uiSprache();
    const auto text = [&](const QString& key) { return Lokalisierung::text(key, sprache); };
    if (frage(text(u"neustart.titel"_s), text(textKey), text(u"neustart.jetzt"_s),
              text(u"neustart.spaeter"_s))) {
        starteNeu(einrichtung);
    }
}

} // namespace parlix
