#include "app/platform/x11/X11Ablage.hpp"

#include <QGuiApplication>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QClipboard& ablage() {
    return *QGuiApplication::clipboard();
}

} // namespace

Zwischenablage::Zwischenablage(QClipboard::Mode modus)
    : modus_(modus) {
    QObject::connect(&ablage(), &QClipboard::changed, &kontext_, [this](QClipboard::Mode m) {
        if (m == modus_) {
            ++aenderungen_;
        }
    });
}

bool Zwischenablage::haeltEigenen() const {
    // Qt deletes our data when another client takes the selection, and eigen_ is reset
    // whenever we write anything else: the comparison is with live data only.
    return eigen_ && ablage().mimeData(modus_) == eigen_ &&
           (modus_ == QClipboard::Clipboard ? ablage().ownsClipboard() : ablage().ownsSelection());
}

std::optional<QString> Zwischenablage::vorherigerText() const {
    // A second insertion before the first one's restore: the user's text is the one the
    // first insertion replaced, not the first insertion's own.
    if (haeltEigenen() && vorher_) {
        return *vorher_;
    }
    return text();
}

std::optional<QString> Zwischenablage::text() const {
    const QMimeData* daten = ablage().mimeData(modus_);
    if (!daten || !daten->hasText()) {
        return std::nullopt;
    }
    return daten->text();
}

quint64 Zwischenablage::schreibeEigenen(const QString& text,
                                        std::optional<std::optional<QString>> vorher) {
    auto* daten = new QMimeData;
    daten->setText(text);
    daten->setData(u"x-kde-passwordManagerHint"_s, "secret");
    ablage().setMimeData(daten, modus_);
    eigen_ = daten;
    vorher_ = std::move(vorher);
    return ++nummer_;
}

void Zwischenablage::stelleWiederHer(quint64 nummer) {
    if (nummer != nummer_ || !haeltEigenen() || !vorher_) {
        return;
    }
    const std::optional<QString> text = *vorher_;
    vorher_.reset();
    setze(text);
}

void Zwischenablage::setze(const std::optional<QString>& text) {
    eigen_ = nullptr;
    if (text) {
        ablage().setText(*text, modus_);
    } else {
        ablage().clear(modus_);
    }
}

} // namespace parlix
