#include "app/account/Konto.hpp"

#include "app/account/TokenNichtGespeichert.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/Geraet.hpp"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace parlix {

Konto::Konto(MainQueue& mainQueue, AuthClient client, QString tokenDatei, QObject* eltern)
    : QObject(eltern)
    , mainQueue_(mainQueue)
    , client_(std::move(client))
    , tokenDatei_(std::move(tokenDatei))
    , eingeloggt_(TokenSpeicher::lese(tokenDatei_).has_value()) {}

Konto::~Konto() = default;

void Konto::login(const QString& email, const QString& passwort, Fertig fertig) {
    QPointer<Konto> selbst(this);
    arbeiter_.post([this, selbst, email, passwort, fertig](std::stop_token stop) {
        QString angezeigt = email;
        try {
            const QString token = client_.login(email, passwort, Geraet::id(), stop);
            if (!TokenSpeicher::setze(token, tokenDatei_)) {
                log().schreibe(u"FEHLER: Anmeldung nicht gespeichert: Token nicht schreibbar ("_s +
                               tokenDatei_ + u")"_s);
                throw TokenNichtGespeichert(tokenDatei_);
            }
            try {
                angezeigt = client_.profil(token, stop).email;
            } catch (...) {
                // The typed address will do.
            }
        } catch (...) {
            mainQueue_.post([fehler = std::current_exception(), fertig] { fertig(fehler); });
            return;
        }
        mainQueue_.post([selbst, angezeigt, fertig] {
            if (selbst) {
                selbst->setze(true, angezeigt);
            }
            fertig(nullptr);
        });
    });
}

void Konto::logout() {
    TokenSpeicher::loesche(tokenDatei_);
    setze(false, QString());
}

void Konto::starte(std::function<void()> fertig) {
    const std::optional<QString> token = TokenSpeicher::lese(tokenDatei_);
    QPointer<Konto> selbst(this);
    if (!token) {
        mainQueue_.post([selbst, fertig] {
            if (selbst && fertig) {
                fertig();
            }
        });
        return;
    }
    arbeiter_.post([this, selbst, token = *token, fertig](std::stop_token stop) {
        std::optional<QString> email;
        try {
            email = client_.profil(token, stop).email;
        } catch (...) {
            // Offline or refused: the stored token stays, and so does the state.
        }
        mainQueue_.post([selbst, email, fertig] {
            if (!selbst) {
                return;
            }
            if (email) {
                selbst->setze(true, *email);
            }
            if (fertig) {
                fertig();
            }
        });
    });
}

void Konto::setze(bool eingeloggt, const QString& email) {
    if (email != email_) {
        email_ = email;
        emit emailGeaendert(email_);
    }
    if (eingeloggt != eingeloggt_) {
        eingeloggt_ = eingeloggt;
        emit eingeloggtGeaendert(eingeloggt_);
    }
}

} // namespace parlix
