#include "tests/support/endezuende/Buehne.hpp"

#include "tests/support/endezuende/Warten.hpp"

#include <QDir>

using namespace Qt::StringLiterals;

namespace parlix::test {

Buehne::Buehne(const Optionen& optionen)
    : desktop_(KopflosesDesktop::Optionen{.ohneDienste = optionen.ohneDienste})
    , ordner_(QDir::tempPath() + u"/parlix-e2e-XXXXXX"_s) {
    if (!desktop_.laeuft()) {
        fehler_ = u"desktop: "_s + desktop_.fehler();
        return;
    }
    if (!ton_.laeuft()) {
        fehler_ = u"sound server: "_s + ton_.fehler();
        return;
    }
    parlix_.emplace(QStringLiteral(PARLIX_PROGRAMM), ordner_.path(), server_.basis());
    nutzer_.emplace(desktop_.anzeige());
    bildschirm_.emplace(desktop_.anzeige());
    ablage_.emplace(desktop_);
    if (!nutzer_->verbunden() || !bildschirm_->verbunden()) {
        fehler_ = u"no X connection to "_s + desktop_.anzeige();
        return;
    }
    if (optionen.tray && !starteTray()) {
        fehler_ = u"the tray (trayer) did not start"_s;
    }
}

bool Buehne::starteTray() {
    desktop_.starte(u"trayer"_s, {u"--edge"_s, u"top"_s, u"--align"_s, u"right"_s, u"--widthtype"_s,
                                  u"request"_s, u"--height"_s, u"24"_s});
    return warteBis([this] { return bildschirm_->trayDa(); }, std::chrono::seconds(30));
}

} // namespace parlix::test
