#include "app/platform/atspi/AtspiDokumentText.hpp"

#include "app/platform/atspi/AtspiBaum.hpp"

#include <QStringList>

namespace parlix::AtspiDokumentText {

namespace {

// Where a browser's text interface holds a child element (a paragraph, a link), its
// text has this character; the children are exposed in the same order.
constexpr char16_t kEingebettet = u'\uFFFC';

bool istBlock(AtspiRole rolle) {
    switch (rolle) {
    case ATSPI_ROLE_PARAGRAPH:
    case ATSPI_ROLE_HEADING:
    case ATSPI_ROLE_SECTION:
    case ATSPI_ROLE_LIST:
    case ATSPI_ROLE_LIST_ITEM:
    case ATSPI_ROLE_TABLE:
    case ATSPI_ROLE_TABLE_ROW:
    case ATSPI_ROLE_FORM:
    case ATSPI_ROLE_BLOCK_QUOTE:
    case ATSPI_ROLE_ARTICLE:
    case ATSPI_ROLE_CAPTION:
    case ATSPI_ROLE_HEADER:
    case ATSPI_ROLE_FOOTER:
    case ATSPI_ROLE_LANDMARK:
    case ATSPI_ROLE_PANEL:
    case ATSPI_ROLE_SEPARATOR:
    case ATSPI_ROLE_DESCRIPTION_TERM:
    case ATSPI_ROLE_DESCRIPTION_VALUE:
        return true;
    default:
        return false;
    }
}

class Leser {
public:
    explicit Leser(std::chrono::steady_clock::time_point ende)
        : ende_(ende) {}

    void sammle(AtspiAccessible* knoten) {
        if (std::chrono::steady_clock::now() > ende_) {
            return;
        }
        GError* fehler = nullptr;
        const int kinder = std::max(atspi_accessible_get_child_count(knoten, &fehler), 0);
        g_clear_error(&fehler);
        AtspiText* text = atspi_accessible_get_text_iface(knoten);
        if (text) {
            g_object_unref(text);
            sammleHypertext(knoten, kinder);
        } else {
            for (int i = 0; i < kinder; ++i) {
                sammleKind(knoten, i);
            }
        }
        const AtspiRole rolle = atspi_accessible_get_role(knoten, &fehler);
        g_clear_error(&fehler);
        if (istBlock(rolle)) {
            aus_ += u'\n';
        }
    }

    QString ergebnis() const {
        QStringList zeilen;
        for (const QString& zeile : aus_.split(u'\n')) {
            if (const QString sauber = zeile.simplified(); !sauber.isEmpty()) {
                zeilen << sauber;
            }
        }
        return zeilen.join(u'\n');
    }

private:
    // The element's own text with each embedded character replaced by that child's text.
    void sammleHypertext(AtspiAccessible* knoten, int kinder) {
        int naechstesKind = 0;
        for (const QChar zeichen : AtspiBaum::ganzerText(knoten)) {
            if (zeichen == kEingebettet) {
                if (naechstesKind < kinder) {
                    sammleKind(knoten, naechstesKind++);
                }
            } else {
                aus_ += zeichen;
            }
        }
    }

    void sammleKind(AtspiAccessible* knoten, int index) {
        GError* fehler = nullptr;
        AtspiBaum::Knoten kind(atspi_accessible_get_child_at_index(knoten, index, &fehler));
        g_clear_error(&fehler);
        if (kind) {
            sammle(kind.get());
        }
    }

    std::chrono::steady_clock::time_point ende_;
    QString aus_;
};

} // namespace

QString lies(AtspiAccessible* dokument, std::chrono::steady_clock::time_point ende) {
    Leser leser(ende);
    leser.sammle(dokument);
    return leser.ergebnis();
}

} // namespace parlix::AtspiDokumentText
