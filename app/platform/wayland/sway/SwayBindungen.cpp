#include "app/platform/wayland/sway/SwayBindungen.hpp"

#include <QJsonValue>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix {

SwayBindungen::SwayBindungen(SwayIpc& befehle, SwayEreignisse& ereignisse)
    : befehle_(befehle)
    , ereignisse_(ereignisse) {
    abo_ = ereignisse_.abonniere(SwayIpc::kEreignisBindung,
                                 [this](const QJsonObject& ereignis) { bindungLief(ereignis); });
}

SwayBindungen::~SwayBindungen() {
    ereignisse_.entferne(abo_);
    std::map<QString, std::pair<QString, std::function<void()>>> rest;
    {
        const std::lock_guard lock(sperre_);
        rest.swap(bindungen_);
    }
    for (const auto& [tasten, eintrag] : rest) {
        befehle_.befehl(u"unbindsym "_s + tasten);
    }
}

bool SwayBindungen::binde(const QString& tasten, std::function<void()> beiTaste) {
    QString tag;
    {
        const std::lock_guard lock(sperre_);
        // The process id keeps two Parlix instances on one sway apart.
        tag = u"parlix-%1-%2"_s.arg(getpid()).arg(naechste_++);
        bindungen_[tasten] = {tag, std::move(beiTaste)};
    }
    if (befehle_.befehl(u"bindsym "_s + tasten + u" nop "_s + tag)) {
        return true;
    }
    const std::lock_guard lock(sperre_);
    bindungen_.erase(tasten);
    return false;
}

void SwayBindungen::loese(const QString& tasten) {
    {
        const std::lock_guard lock(sperre_);
        if (bindungen_.erase(tasten) == 0) {
            return;
        }
    }
    befehle_.befehl(u"unbindsym "_s + tasten);
}

void SwayBindungen::bindungLief(const QJsonObject& ereignis) {
    const QString befehl = ereignis.value(u"binding"_s)[u"command"_s].toString();
    const std::lock_guard lock(sperre_);
    for (const auto& [tasten, eintrag] : bindungen_) {
        if (befehl == u"nop "_s + eintrag.first) {
            eintrag.second();
            return;
        }
    }
}

} // namespace parlix
