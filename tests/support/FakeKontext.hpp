#pragma once

#include "app/platform/AXKontext.hpp"
#include "app/platform/AuswahlKopierer.hpp"
#include "app/platform/BrowserText.hpp"
#include "app/platform/FensterFoto.hpp"
#include "app/platform/Texterkennung.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/Skriptwert.hpp"

#include <functional>

namespace parlix::test {

// The context reads of the pipelines, with scripted answers ("" and no screenshot
// unless set). Each records its call ("ax.text", "ax.auswahl", "auswahlText",
// "fensterScreenshot", "ocr(<bytes>)", "seitentext"). Safe from any thread.
class FakeKontext final : public AXKontext,
                          public AuswahlKopierer,
                          public FensterFoto,
                          public Texterkennung,
                          public BrowserText {
public:
    explicit FakeKontext(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    Skriptwert<QString> axText;
    Skriptwert<QString> axAuswahl;
    Skriptwert<QString> kopierteAuswahl;
    Skriptwert<std::optional<QByteArray>> screenshot;
    Skriptwert<QString> erkannterText;
    Skriptwert<QString> seite;
    // Called on the reading thread with the call's name before it answers; set it before
    // the coordinator runs.
    std::function<void(const QString& aufruf)> waehrendDesLesens;

    QString text() override { return antworte(QStringLiteral("ax.text"), axText); }
    QString auswahl() override { return antworte(QStringLiteral("ax.auswahl"), axAuswahl); }
    QString auswahlText() override {
        return antworte(QStringLiteral("auswahlText"), kopierteAuswahl);
    }
    std::optional<QByteArray> fensterScreenshot() override {
        return antworte(QStringLiteral("fensterScreenshot"), screenshot);
    }
    QString ocr(const QByteArray& png) override {
        return antworte(QStringLiteral("ocr(%1)").arg(QString::fromUtf8(png)), erkannterText);
    }
    QString seitentext() override { return antworte(QStringLiteral("seitentext"), seite); }

private:
    template <class T> T antworte(const QString& aufruf, const Skriptwert<T>& antwort) {
        aufrufe_.notiere(aufruf);
        if (waehrendDesLesens) {
            waehrendDesLesens(aufruf);
        }
        return antwort.wert();
    }

    Aufrufe& aufrufe_;
};

} // namespace parlix::test
