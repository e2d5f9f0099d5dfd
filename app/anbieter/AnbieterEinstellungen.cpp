#include "app/anbieter/AnbieterEinstellungen.hpp"

#include "app/anbieter/AnbieterVorlage.hpp"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using S = Einstellungen::Schluessel;
using Rolle = AnbieterEinstellungen::Rolle;

S vorlageSchluessel(Rolle r) {
    return r == Rolle::transkription ? S::anbieterTranskription : S::anbieterSprache;
}
S urlSchluessel(Rolle r) {
    return r == Rolle::transkription ? S::anbieterTranskriptionURL : S::anbieterSpracheURL;
}
S modellSchluessel(Rolle r) {
    return r == Rolle::transkription ? S::anbieterTranskriptionModell : S::anbieterSpracheModell;
}

} // namespace

AnbieterEinstellungen::AnbieterEinstellungen(DefaultsStore& speicher,
                                             std::unique_ptr<SchluesselBund> bund)
    : speicher_(speicher)
    , bund_(std::move(bund))
    , arbeiter_(new QObject) {
    if (!bund_->fragtDienst()) {
        ort_ = SchluesselBund::Ort::datei;
    }
    faden_.setObjectName(u"Schlüsselbund"_s);
    arbeiter_->moveToThread(&faden_);
    connect(&faden_, &QThread::finished, arbeiter_, &QObject::deleteLater);
    faden_.start();
}

AnbieterEinstellungen::~AnbieterEinstellungen() {
    // Queued writes finish first: a key typed just before quitting is kept.
    faden_.quit();
    faden_.wait();
}

void AnbieterEinstellungen::imHintergrund(std::function<void()> job) {
    QMetaObject::invokeMethod(arbeiter_, std::move(job), Qt::QueuedConnection);
}

void AnbieterEinstellungen::lade() {
    imHintergrund([this] {
        QHash<QString, QString> gelesen;
        SchluesselBund::Ort ort = SchluesselBund::Ort::datei;
        for (const AnbieterVorlage& v : AnbieterVorlage::alle()) {
            const auto [schluessel, wo] = bund_->lies(v.id.toString());
            ort = wo;
            if (!schluessel.isEmpty()) {
                gelesen.insert(v.id.toString(), schluessel);
            }
        }
        QMetaObject::invokeMethod(
            this,
            [this, gelesen, ort] {
                // A key typed meanwhile is newer than the stored one.
                for (auto it = gelesen.begin(); it != gelesen.end(); ++it) {
                    if (!schluessel_.contains(it.key())) {
                        schluessel_.insert(it.key(), it.value());
                    }
                }
                geladen_ = true;
                setzeOrt(ort);
                emit geaendert();
            },
            Qt::QueuedConnection);
    });
}

void AnbieterEinstellungen::setzeOrt(SchluesselBund::Ort ort) {
    const bool neu = ort_ != ort;
    ort_ = ort;
    if (neu) {
        emit ortGeaendert();
    }
}

QString AnbieterEinstellungen::vorlage(Rolle rolle) const {
    const QString id = std::get<QString>(Einstellungen(speicher_).wert(vorlageSchluessel(rolle)));
    return AnbieterVorlage::finde(id) ? id : QString();
}

QString AnbieterEinstellungen::url(Rolle rolle) const {
    return std::get<QString>(Einstellungen(speicher_).wert(urlSchluessel(rolle)));
}

QString AnbieterEinstellungen::modell(Rolle rolle) const {
    return std::get<QString>(Einstellungen(speicher_).wert(modellSchluessel(rolle)));
}

QString AnbieterEinstellungen::visionModell() const {
    return std::get<QString>(Einstellungen(speicher_).wert(S::anbieterVisionModell));
}

QString AnbieterEinstellungen::schluessel(Rolle rolle) const {
    return schluessel_.value(vorlage(rolle));
}

bool AnbieterEinstellungen::eingerichtet(Rolle rolle) const {
    const QUrl wurzel(url(rolle), QUrl::StrictMode);
    return !vorlage(rolle).isEmpty() && wurzel.isValid() && !wurzel.host().isEmpty() &&
           (wurzel.scheme() == u"https"_s || wurzel.scheme() == u"http"_s);
}

void AnbieterEinstellungen::setze(Einstellungen::Schluessel schluessel, const QString& wert) {
    Einstellungen(speicher_).setze(schluessel, wert.trimmed());
    emit geaendert();
}

void AnbieterEinstellungen::waehleVorlage(Rolle rolle, const QString& id) {
    const QString vorher = vorlage(rolle);
    const AnbieterVorlage* v = AnbieterVorlage::finde(id);
    if (id == vorher) {
        return;
    }
    Einstellungen e(speicher_);
    e.setze(vorlageSchluessel(rolle), v ? id : QString());
    // "andere" starts without a root: the user gives it.
    e.setze(urlSchluessel(rolle), v ? v->url.toString() : QString());
    e.setze(modellSchluessel(rolle),
            v ? (rolle == Rolle::transkription ? v->sttModell : v->chatModell).toString()
              : QString());
    if (rolle == Rolle::sprache) {
        e.setze(S::anbieterVisionModell, v ? v->visionModell.toString() : QString());
    }
    entferneUngenutzte(vorher);
    emit geaendert();
}

void AnbieterEinstellungen::entferneUngenutzte(const QString& id) {
    if (id.isEmpty() || vorlage(Rolle::transkription) == id || vorlage(Rolle::sprache) == id) {
        return;
    }
    schluessel_.remove(id);
    {
        const std::lock_guard sperre(sperre_);
        ausstehend_.remove(id);
    }
    imHintergrund([this, id] { bund_->entferne(id); });
}

void AnbieterEinstellungen::setzeURL(Rolle rolle, const QString& url) {
    setze(urlSchluessel(rolle), url);
}

void AnbieterEinstellungen::setzeModell(Rolle rolle, const QString& modell) {
    setze(modellSchluessel(rolle), modell);
}

void AnbieterEinstellungen::setzeVisionModell(const QString& modell) {
    setze(S::anbieterVisionModell, modell);
}

void AnbieterEinstellungen::setzeSchluessel(Rolle rolle, const QString& schluessel) {
    const QString id = vorlage(rolle);
    const QString neu = schluessel.trimmed();
    if (id.isEmpty() || schluessel_.value(id) == neu) {
        return;
    }
    schluessel_.insert(id, neu);
    {
        const std::lock_guard sperre(sperre_);
        ausstehend_.insert(id, neu);
    }
    // One job per keystroke, but only the newest key is written; later jobs find none.
    imHintergrund([this, id] {
        std::optional<QString> wert;
        {
            const std::lock_guard sperre(sperre_);
            if (ausstehend_.contains(id)) {
                wert = ausstehend_.take(id);
            }
        }
        if (wert) {
            const SchluesselBund::Ort ort = bund_->speichere(id, *wert);
            QMetaObject::invokeMethod(
                this, [this, ort] { setzeOrt(ort); }, Qt::QueuedConnection);
        }
    });
    emit geaendert();
}

QJsonObject AnbieterEinstellungen::anbieterFuerServer() const {
    QJsonObject anbieter;
    for (const Rolle rolle : {Rolle::transkription, Rolle::sprache}) {
        if (!eingerichtet(rolle)) {
            continue;
        }
        QJsonObject eintrag{{u"url"_s, url(rolle)},
                            {u"schluessel"_s, schluessel(rolle)},
                            {u"modell"_s, modell(rolle)}};
        if (rolle == Rolle::sprache) {
            eintrag.insert(u"visionModell"_s,
                           visionModell().isEmpty() ? modell(rolle) : visionModell());
        }
        anbieter.insert(rolle == Rolle::transkription ? u"transkription"_s : u"sprache"_s, eintrag);
    }
    return anbieter;
}

} // namespace parlix
