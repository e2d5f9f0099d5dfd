#include "app/ui/fenster/seiten/KontoSeite.hpp"

#include "app/account/Konto.hpp"
#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

KontoSeite::KontoSeite(Konto& konto, const Texte& texte, std::function<void()> onLogin,
                       QWidget* dienst, QWidget* eltern)
    : QWidget(eltern) {
    QVBoxLayout* layout = FensterStil::karten(this);
    auto* karte = new Karte({}, texte.text(u"konto.fuss"_s));
    layout->addWidget(karte);
    layout->addWidget(dienst);

    const auto zeige = [&konto, texte, karte, onLogin = std::move(onLogin)] {
        karte->leere();
        if (konto.eingeloggt()) {
            auto* abmelden = new QPushButton(texte.text(u"konto.abmelden"_s));
            QObject::connect(abmelden, &QPushButton::clicked, &konto, &Konto::logout);
            const QString adresse =
                konto.email().isEmpty() ? texte.text(u"konto.angemeldet"_s) : konto.email();
            karte->fuegeHinzu(FensterStil::zeile(adresse, abmelden));
        } else {
            auto* anmelden = new QPushButton(texte.text(u"konto.anmelden"_s));
            anmelden->setProperty("rolle", u"primaer"_s);
            QObject::connect(anmelden, &QPushButton::clicked, anmelden, onLogin);
            karte->fuegeHinzu(FensterStil::zeile(texte.text(u"konto.nichtAngemeldet"_s), anmelden));
        }
    };
    zeige();
    connect(&konto, &Konto::eingeloggtGeaendert, this, zeige);
    connect(&konto, &Konto::emailGeaendert, this, zeige);
}

} // namespace parlix
