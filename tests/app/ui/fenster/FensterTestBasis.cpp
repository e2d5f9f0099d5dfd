#include "tests/app/ui/fenster/FensterTestBasis.hpp"

#include "app/ui/Texte.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace parlix::test {

FensterTestBasis::FensterTestBasis() {
    speicher.setzeText(u"uiSprache"_s, u"de"_s);
    Texte::vergissSprache();
    const std::array<Hotkey (Einstellungen::*)() const, 4> lesen{
        &Einstellungen::diktatHotkey, &Einstellungen::aktionHotkey, &Einstellungen::promptHotkey,
        &Einstellungen::lockHotkey};
    for (std::size_t i = 0; i < manager.size(); ++i) {
        manager[i] = HotkeyManager::erstelle(
            tastenQueue, speicher,
            [this, lies = lesen[i]] { return (Einstellungen(speicher).*lies)(); }, i == 3);
    }
}

FensterTestBasis::~FensterTestBasis() {
    controller_.reset();
    Texte::vergissSprache();
}

FensterController& FensterTestBasis::controller() {
    if (!controller_) {
        konto =
            std::make_unique<Konto>(mainQueue, AuthClient(backend), ordner.filePath(u"token"_s));
        controller_ = std::make_unique<FensterController>(FensterDienste{
            .speicher = speicher,
            .mainQueue = mainQueue,
            .konto = *konto,
            .anbieter = anbieter,
            .authClient = AuthClient(backend),
            .hotkeys = {manager[0].get(), manager[1].get(), manager[2].get(), manager[3].get()},
            .tasten = &tasten,
            .mikrofone = mikrofone,
            .desktop = desktop,
            .barrierefreiheit = bus,
            .klaenge = klaenge,
            .klangNamen = {u"bloom"_s, u"kristall"_s},
            .autostartAktiv = [this] { return autostartAn; },
            .schalteAutostart =
                [this](bool an) {
                    autostartAn = autostartSchaltbar ? an : autostartAn;
                    aufrufe.notiere(u"autostart(%1)"_s.arg(an));
                },
            .version = u"1.2.3"_s,
            .pruefeUpdate =
                [this](const FensterDienste::UpdateMeldung& fertig) {
                    aufrufe.notiere(u"pruefeUpdate"_s);
                    fertig(u"update.aktuell"_s);
                },
            .frageNeustart =
                [this](QWidget*, const QString& textKey) {
                    aufrufe.notiere(u"frageNeustart"_s);
                    aufrufe.notiere(textKey);
                },
        });
    }
    return *controller_;
}

QString FensterTestBasis::text(const QString& key) {
    return Texte(speicher).text(key);
}

QAbstractButton* FensterTestBasis::knopf(QWidget* wurzel, const QString& text) {
    for (auto* kandidat : wurzel->findChildren<QAbstractButton*>()) {
        if (kandidat->text() == text && kandidat->isVisibleTo(wurzel)) {
            return kandidat;
        }
    }
    ADD_FAILURE() << "no visible button \"" << text.toStdString() << "\"";
    return nullptr;
}

void FensterTestBasis::zeigeUndWarte(QWidget* fenster) {
    fenster->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(fenster));
}

} // namespace parlix::test
