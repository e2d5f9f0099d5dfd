#include "core/text/Zeichen.hpp"

#include <QTextBoundaryFinder>

namespace parlix {

qsizetype anzahlZeichen(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype anzahl = 0;
    while (finder.toNextBoundary() >= 0) {
        ++anzahl;
    }
    return anzahl;
}

QString ersteZeichen(const QString& text, qsizetype anzahl) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype ende = 0;
    for (qsizetype i = 0; i < anzahl; ++i) {
        const qsizetype naechstes = finder.toNextBoundary();
        if (naechstes < 0) {
            break;
        }
        ende = naechstes;
    }
    return text.left(ende);
}

} // namespace parlix
