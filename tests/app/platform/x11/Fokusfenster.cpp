#include "tests/app/platform/x11/Fokusfenster.hpp"

#include <csignal>

using namespace Qt::StringLiterals;

namespace parlix::test {

Fokusfenster::Fokusfenster(KopflosesDesktop& desktop)
    : xev_(desktop.starte(u"xev"_s, {u"-event"_s, u"keyboard"_s, u"-name"_s, u"ParlixFokus"_s})) {
    fenster_ = desktop.warteAufFenster(u"ParlixFokus"_s);
}

Fokusfenster::~Fokusfenster() {
    xev_.sende(SIGKILL);
    xev_.warteAufEnde(std::chrono::seconds(3));
}

bool Fokusfenster::warteAuf(const QString& name, int anzahl, std::chrono::milliseconds frist) {
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (this->anzahl(name) < anzahl) {
        if (std::chrono::steady_clock::now() >= ende) {
            return false;
        }
        ausgabe_ += QString::fromUtf8(xev_.lies(std::chrono::milliseconds(20)));
    }
    return true;
}

int Fokusfenster::anzahl(const QString& name) {
    ausgabe_ += QString::fromUtf8(xev_.lies(std::chrono::milliseconds(0)));
    // xev writes one block per event: "KeyPress event, serial ..." up to a blank line,
    // with "(keysym 0xffe3, Control_L)" inside.
    int gefunden = 0;
    for (const QString& block : ausgabe_.split(u"\n\n"_s)) {
        if (block.trimmed().startsWith(u"KeyPress event"_s) &&
            block.contains(u", "_s + name + u')')) {
            ++gefunden;
        }
    }
    return gefunden;
}

} // namespace parlix::test
