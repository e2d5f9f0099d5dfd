#include "app/ui/fenster/modelle/LoginModel.hpp"

#include "app/account/Konto.hpp"
#include "app/account/TokenNichtGespeichert.hpp"
#include "app/ui/Texte.hpp"
#include "core/account/AuthFehler.hpp"
#include "core/concurrency/MainQueue.hpp"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace parlix {

LoginModel::LoginModel(Konto& konto, AuthClient client, MainQueue& mainQueue,
                       DefaultsStore& speicher)
    : konto_(konto)
    , client_(std::move(client))
    , mainQueue_(mainQueue)
    , speicher_(speicher) {}

LoginModel::~LoginModel() = default;

QString LoginModel::text(const QString& key) const {
    return Texte(speicher_).text(key);
}

bool LoginModel::pruefe(bool angabenVollstaendig) {
    if (beschaeftigt_) {
        return false;
    }
    if (!angabenVollstaendig) {
        emit meldung(text(u"login.angaben"_s), true);
    }
    return angabenVollstaendig;
}

void LoginModel::meldeAn(const QString& email, const QString& passwort) {
    if (!pruefe(!email.trimmed().isEmpty() && !passwort.isEmpty())) {
        return;
    }
    setzeBeschaeftigt(true);
    QPointer<LoginModel> selbst(this);
    konto_.login(email.trimmed(), passwort, [selbst](std::exception_ptr fehler) {
        if (selbst) {
            selbst->melde(Vorgang::anmelden, fehler);
        }
    });
}

void LoginModel::registriere(const QString& email, const QString& passwort) {
    if (!pruefe(!email.trimmed().isEmpty() && !passwort.isEmpty())) {
        return;
    }
    const QString adresse = email.trimmed();
    QPointer<LoginModel> selbst(this);
    setzeBeschaeftigt(true);
    arbeiter_.post([this, selbst, adresse, passwort](std::stop_token stop) {
        try {
            client_.registriere(adresse, passwort, stop);
        } catch (...) {
            mainQueue_.post([selbst, fehler = std::current_exception()] {
                if (selbst) {
                    selbst->melde(Vorgang::registrieren, fehler);
                }
            });
            return;
        }
        // A new account signs in at once with what was just typed.
        mainQueue_.post([selbst, adresse, passwort] {
            if (selbst) {
                selbst->konto_.login(adresse, passwort, [selbst](std::exception_ptr fehler) {
                    if (selbst) {
                        selbst->melde(Vorgang::registrieren, fehler);
                    }
                });
            }
        });
    });
}

void LoginModel::fordereCodeAn(const QString& email) {
    if (!pruefe(!email.trimmed().isEmpty())) {
        return;
    }
    starte(Vorgang::codeAnfordern, [this, adresse = email.trimmed()](std::stop_token stop) {
        client_.resetAnfordern(adresse, stop);
    });
}

void LoginModel::setzePasswort(const QString& email, const QString& code, const QString& passwort) {
    if (!pruefe(!email.trimmed().isEmpty() && !code.trimmed().isEmpty() && !passwort.isEmpty())) {
        return;
    }
    starte(Vorgang::passwortSetzen,
           [this, adresse = email.trimmed(), code = code.trimmed(), passwort](
               std::stop_token stop) { client_.resetBestaetigen(adresse, code, passwort, stop); });
}

void LoginModel::starte(Vorgang vorgang, std::function<void(std::stop_token)> arbeit) {
    setzeBeschaeftigt(true);
    QPointer<LoginModel> selbst(this);
    arbeiter_.post([this, selbst, vorgang, arbeit = std::move(arbeit)](std::stop_token stop) {
        std::exception_ptr fehler;
        try {
            arbeit(stop);
        } catch (...) {
            fehler = std::current_exception();
        }
        mainQueue_.post([selbst, vorgang, fehler] {
            if (selbst) {
                selbst->melde(vorgang, fehler);
            }
        });
    });
}

void LoginModel::melde(Vorgang vorgang, std::exception_ptr fehler) {
    setzeBeschaeftigt(false);
    if (fehler) {
        emit meldung(fehlerText(fehler, vorgang), true);
        return;
    }
    if (vorgang == Vorgang::codeAnfordern) {
        emit meldung(text(u"reset.codeGesendet"_s), false);
    } else if (vorgang == Vorgang::passwortSetzen) {
        emit meldung(text(u"reset.erfolg"_s), false);
    }
    emit erledigt(vorgang);
}

QString LoginModel::fehlerText(std::exception_ptr fehler, Vorgang vorgang) const {
    try {
        std::rethrow_exception(fehler);
    } catch (const AuthFehler& auth) {
        if (auth.fall() == AuthFehler::Fall::netzwerk) {
            return text(u"login.netzfehler"_s);
        }
        if (auth.status() == 429) {
            return text(u"login.zuOft"_s);
        }
        if (auth.status() == 401 && vorgang != Vorgang::passwortSetzen) {
            return text(u"login.falsch"_s);
        }
        if (auth.status() == 409 && vorgang == Vorgang::registrieren) {
            return text(u"login.vergeben"_s);
        }
        return auth.text();
    } catch (const TokenNichtGespeichert& nicht) {
        return text(u"login.nichtGespeichert"_s).arg(nicht.datei());
    } catch (...) {
        return text(u"login.fehler"_s);
    }
}

void LoginModel::setzeBeschaeftigt(bool beschaeftigt) {
    if (beschaeftigt != beschaeftigt_) {
        beschaeftigt_ = beschaeftigt;
        emit beschaeftigtGeaendert(beschaeftigt_);
    }
}

} // namespace parlix
