#pragma once

#include "app/coordinator/GlasVerlauf.hpp"
#include "app/platform/AXVertrauen.hpp"
#include "app/platform/TextInserter.hpp"
#include "app/platform/VordergrundApp.hpp"
#include "tests/support/Aufrufe.hpp"

#include <chrono>
#include <optional>

namespace parlix::test {

// The desktop around the user's application: which application is in front, whether we
// are trusted, pasting and the history panel. Records "fuegeEin(<text>)" and
// "glas(<text>)". Main thread.
class FakeDesktop final : public VordergrundApp,
                          public AXVertrauen,
                          public TextInserter,
                          public GlasVerlauf {
public:
    explicit FakeDesktop(Aufrufe& aufrufe)
        : aufrufe_(aufrufe) {}

    std::optional<QString> app;
    bool vertraut = true;
    // Whether the clipboard takes what the history panel puts on it.
    bool ablageNimmt = true;
    // How every insertion ends; told to the caller at once.
    Ergebnis einfuegeErgebnis = Ergebnis::eingefuegt;
    // When the latest fuegeEin call came, on the real clock.
    std::optional<std::chrono::steady_clock::time_point> eingefuegtUm;

    std::optional<QString> anwendungsID() override { return app; }
    bool istVertraut() override { return vertraut; }
    void fuegeEin(const QString& text, Rueckmeldung fertig) override {
        eingefuegtUm = std::chrono::steady_clock::now();
        aufrufe_.notiere(QStringLiteral("fuegeEin(%1)").arg(text));
        if (fertig) {
            fertig(einfuegeErgebnis);
        }
    }
    bool zeigeNeuesErgebnis(const QString& text) override {
        aufrufe_.notiere(QStringLiteral("glas(%1)").arg(text));
        return ablageNimmt;
    }

private:
    Aufrufe& aufrufe_;
};

} // namespace parlix::test
