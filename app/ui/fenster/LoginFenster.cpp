#include "app/ui/fenster/LoginFenster.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/AnmeldeFormular.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/modelle/LoginModel.hpp"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

LoginFenster::LoginFenster(LoginModel& model, Konto& konto, DefaultsStore& speicher,
                           QWidget* eltern)
    : QWidget(eltern, Qt::Window) {
    const Texte texte(speicher);
    setWindowTitle(texte.text(u"fenster.anmelden"_s));
    FensterStil::richteFensterEin(this);
    setFixedWidth(420);

    formular_ = new AnmeldeFormular(model, konto, texte, true);
    QVBoxLayout* layout =
        FensterStil::kopf(this, texte.text(u"login.titel"_s), texte.text(u"login.unter"_s));
    layout->setContentsMargins(36, 32, 36, 28);
    layout->addWidget(formular_);
    layout->addStretch(1);

    connect(&model, &LoginModel::erledigt, this, [this](LoginModel::Vorgang vorgang) {
        if (vorgang == LoginModel::Vorgang::anmelden ||
            vorgang == LoginModel::Vorgang::registrieren) {
            close();
        }
    });
}

} // namespace parlix
