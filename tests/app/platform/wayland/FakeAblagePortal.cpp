#include "tests/app/platform/wayland/FakeAblagePortal.hpp"

#include "app/platform/wayland/Rohr.hpp"

#include <QDBusMessage>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

FakeAblagePortal::FakeAblagePortal(QDBusConnection bus)
    : FakePortal(std::move(bus)) {}

FakeAblagePortal::~FakeAblagePortal() {
    for (const auto& [nummer, fd] : leseEnden_) {
        close(fd);
    }
}

void FakeAblagePortal::markiere(const QString& text) {
    const std::lock_guard lock(sperre_);
    markierung_ = text;
}

void FakeAblagePortal::zielKopiert() {
    nutzerKopiert([this] {
        const std::lock_guard lock(sperre_);
        return markierung_;
    }());
}

void FakeAblagePortal::nutzerKopiert(const QString& text) {
    const std::lock_guard lock(sperre_);
    nutzerText_ = text;
    sitzungBesitzt_ = false;
    if (!sitzung_.isEmpty()) {
        sende(u"SelectionOwnerChanged"_s,
              {QVariant::fromValue(QDBusObjectPath(sitzung_)),
               QVariantMap{{u"mime_types"_s, QStringList{u"text/plain;charset=utf-8"_s}},
                           {u"session_is_owner"_s, false}}});
    }
}

void FakeAblagePortal::zielFuegtEin() {
    const std::lock_guard lock(sperre_);
    if (!sitzungBesitzt_) {
        eingefuegt_.append(nutzerText_);
        return;
    }
    sende(u"SelectionTransfer"_s, {QVariant::fromValue(QDBusObjectPath(sitzung_)),
                                   u"text/plain;charset=utf-8"_s, ++letzteNummer_});
}

QStringList FakeAblagePortal::eingefuegt() const {
    const std::lock_guard lock(sperre_);
    return eingefuegt_;
}

bool FakeAblagePortal::sitzungBesitzt() const {
    const std::lock_guard lock(sperre_);
    return sitzungBesitzt_;
}

QStringList FakeAblagePortal::typen() const {
    const std::lock_guard lock(sperre_);
    return typen_;
}

bool FakeAblagePortal::starteAblage(const QString& sitzung, const QString& klient) {
    const std::lock_guard lock(sperre_);
    if (angefragt_ != sitzung || !ablageErlauben) {
        return false;
    }
    sitzung_ = sitzung;
    klient_ = klient;
    return true;
}

bool FakeAblagePortal::erlaubt(const QDBusObjectPath& sitzung) {
    if (sitzung_.isEmpty() || sitzung.path() != sitzung_) {
        sendErrorReply(QDBusError::AccessDenied, u"no clipboard for this session"_s);
        return false;
    }
    return true;
}

void FakeAblagePortal::sende(const QString& name, const QVariantList& argumente) {
    // Only to the session's owner, as the real portal does.
    QDBusMessage signal = QDBusMessage::createTargetedSignal(
        klient_, kPfad, u"org.freedesktop.portal.Clipboard"_s, name);
    signal.setArguments(argumente);
    bus_.send(signal);
}

void FakeAblagePortal::RequestClipboard(const QDBusObjectPath& sitzung,
                                        const QVariantMap& /*optionen*/) {
    const std::lock_guard lock(sperre_);
    angefragt_ = sitzung.path();
}

void FakeAblagePortal::SetSelection(const QDBusObjectPath& sitzung, const QVariantMap& optionen) {
    const std::lock_guard lock(sperre_);
    if (!erlaubt(sitzung)) {
        return;
    }
    typen_ = optionen.value(u"mime_types"_s).toStringList();
    sitzungBesitzt_ = true;
    sende(u"SelectionOwnerChanged"_s,
          {QVariant::fromValue(sitzung),
           QVariantMap{{u"mime_types"_s, typen_}, {u"session_is_owner"_s, true}}});
}

QDBusUnixFileDescriptor FakeAblagePortal::SelectionWrite(const QDBusObjectPath& sitzung,
                                                         uint nummer) {
    const std::lock_guard lock(sperre_);
    int rohr[2];
    if (!erlaubt(sitzung) || nummer == 0 || nummer > letzteNummer_ || leseEnden_.count(nummer) ||
        pipe2(rohr, O_CLOEXEC) != 0) {
        return {};
    }
    leseEnden_[nummer] = rohr[0];
    const QDBusUnixFileDescriptor schreibEnde(rohr[1]);
    close(rohr[1]);
    return schreibEnde;
}

void FakeAblagePortal::SelectionWriteDone(const QDBusObjectPath& sitzung, uint nummer,
                                          bool erfolg) {
    const std::lock_guard lock(sperre_);
    const auto ende = leseEnden_.find(nummer);
    if (!erlaubt(sitzung) || ende == leseEnden_.end()) {
        return;
    }
    if (erfolg) {
        eingefuegt_.append(QString::fromUtf8(Rohr::leseAlles(ende->second)));
    }
    close(ende->second);
    leseEnden_.erase(ende);
}

QDBusUnixFileDescriptor FakeAblagePortal::SelectionRead(const QDBusObjectPath& sitzung,
                                                        const QString& /*typ*/) {
    const std::lock_guard lock(sperre_);
    if (!erlaubt(sitzung)) {
        return {};
    }
    // A session reading its own content would wait for a transfer to itself.
    if (sitzungBesitzt_) {
        sendErrorReply(QDBusError::Failed, u"the session reads its own selection"_s);
        return {};
    }
    int rohr[2];
    if (pipe2(rohr, O_CLOEXEC) != 0) {
        return {};
    }
    Rohr::schreibeAlles(rohr[1], nutzerText_.toUtf8());
    close(rohr[1]);
    const QDBusUnixFileDescriptor leseEnde(rohr[0]);
    close(rohr[0]);
    return leseEnde;
}

} // namespace parlix::test
