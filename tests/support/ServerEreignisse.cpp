#include "tests/support/ServerEreignisse.hpp"

#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace parlix::test {

ServerEreignisse::ServerEreignisse()
    // setpriv: the watcher ends with this process, even when a test aborts.
    : prozess_(u"setpriv"_s, {u"--pdeathsig"_s, u"KILL"_s, u"--"_s, u"pactl"_s, u"subscribe"_s}) {
    // pactl says nothing once it is subscribed; another client coming and going shows
    // that the subscription is in place before the test acts.
    for (int versuch = 0; versuch < 50; ++versuch) {
        KindProzess::ausgabe(u"pactl"_s, {u"info"_s}, std::chrono::seconds(5));
        if (warteAuf(u"on client"_s, std::chrono::milliseconds(200))) {
            break;
        }
    }
    zeilen_.clear();
}

void ServerEreignisse::lies(std::chrono::milliseconds frist) {
    rest_ += QString::fromUtf8(prozess_.lies(frist));
    const qsizetype ende = rest_.lastIndexOf(u'\n');
    if (ende < 0) {
        return;
    }
    zeilen_ += rest_.left(ende).split(u'\n', Qt::SkipEmptyParts);
    rest_.remove(0, ende + 1);
}

bool ServerEreignisse::warteAuf(const QString& text, std::chrono::milliseconds limit) {
    QElapsedTimer uhr;
    uhr.start();
    std::chrono::milliseconds warten(0);
    for (;;) {
        lies(warten);
        for (const QString& zeile : std::as_const(zeilen_)) {
            if (zeile.contains(text)) {
                return true;
            }
        }
        warten = std::chrono::milliseconds(limit.count() - uhr.elapsed());
        if (warten.count() <= 0) {
            return false;
        }
    }
}

QStringList ServerEreignisse::zeilen() {
    lies(std::chrono::milliseconds(0));
    return zeilen_;
}

} // namespace parlix::test
