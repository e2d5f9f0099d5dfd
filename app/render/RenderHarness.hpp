#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>

class QWidget;

namespace parlix {

class AnsichtenRegister;

// Draws registered views to PNG files, so that tests, the README and reviewers see the
// interface without a desktop. Driven by environment variables:
//   PARLIX_RENDER_ZIEL       folder to write to (default: "parlix-ansichten")
//   PARLIX_RENDER_ANSICHTEN  comma-separated names or patterns ("hud.*"); default all
//   PARLIX_RENDER_SPRACHEN   comma-separated language codes, or "alle"; default the
//                            interface language
//   PARLIX_RENDER_SKALA      pixels per point (default 2)
//   PARLIX_RENDER_LISTE      any value: only print the view names
// Setting any one of them makes the program draw and exit instead of starting. Each
// view goes to <ziel>/<sprache>/<name>.png.
class RenderHarness {
public:
    struct Auftrag {
        QString ziel = QStringLiteral("parlix-ansichten");
        QStringList muster;
        QStringList sprachen;
        qreal skala = 2.0;
        bool nurListe = false;
    };

    // The order in the environment; nothing when no PARLIX_RENDER_ variable is set.
    // `standardSprache` stands in when no languages are named. A variable of that
    // prefix that the harness does not know is an error (the returned order then has
    // `fehler` set).
    static std::optional<Auftrag> ausUmgebung(const QProcessEnvironment& umgebung,
                                              const QString& standardSprache,
                                              QString* fehler = nullptr);

    explicit RenderHarness(const AnsichtenRegister& ansichten);

    struct Ergebnis {
        QStringList dateien;
        QStringList fehler;
    };
    Ergebnis laufe(const Auftrag& auftrag) const;

    // Runs the order from the environment, reporting on the standard streams: the exit
    // code of the program (0 when every view was drawn).
    int laufeUndMelde(const Auftrag& auftrag) const;

    // The widget as it would appear on screen, on a transparent background.
    static QImage zeichne(QWidget& widget, qreal skala);

private:
    const AnsichtenRegister& ansichten_;
};

} // namespace parlix
