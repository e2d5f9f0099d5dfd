#include "app/platform/atspi/AtspiDokumentText.hpp"

#include "app/platform/atspi/AtspiBaum.hpp"

#include <QStringList>
#include <limits>

namespace parlix::AtspiDokumentText {

namespace {

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
    Leser(std::chrono::steady_clock::time_point ende, bool nurAuswahl)
        : ende_(ende)
        , nurAuswahl_(nurAuswahl) {}

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
    // The element's own text with each embedded character replaced by the text of the
    // element it stands for. Chromium also lists plain text pieces as children, so the
    // hypertext interface says which child a character is; without one, the children
    // stand in order.
    void sammleHypertext(AtspiAccessible* knoten, int kinder) {
        AtspiHypertext* hypertext = atspi_accessible_get_hypertext_iface(knoten);
        const AtspiBaum::Bereich bereich = zuLesen(knoten);
        int naechstesKind = 0;
        int offset = 0; // in characters, as AT-SPI counts
        for (const QChar zeichen : AtspiBaum::ganzerText(knoten)) {
            const bool drin = offset >= bereich.von && offset < bereich.bis;
            if (zeichen == kEingebettet) {
                const int index = naechstesKind++;
                AtspiBaum::Knoten kind = !drin            ? AtspiBaum::Knoten()
                                         : hypertext      ? verweisZiel(hypertext, offset)
                                         : index < kinder ? kindAn(knoten, index)
                                                          : AtspiBaum::Knoten();
                if (kind) {
                    sammle(kind.get());
                }
            } else if (drin) {
                aus_ += zeichen;
            }
            offset += zeichen.isLowSurrogate() ? 0 : 1;
        }
        if (hypertext) {
            g_object_unref(hypertext);
        }
    }

    // All of the element's text, or with `nurAuswahl_` its selected range when it has one.
    AtspiBaum::Bereich zuLesen(AtspiAccessible* knoten) const {
        const auto ausgewaehlt = nurAuswahl_ ? AtspiBaum::auswahlBereich(knoten) : std::nullopt;
        return ausgewaehlt.value_or(AtspiBaum::Bereich{0, std::numeric_limits<int>::max()});
    }

    static AtspiBaum::Knoten verweisZiel(AtspiHypertext* hypertext, int offset) {
        GError* fehler = nullptr;
        const int index = atspi_hypertext_get_link_index(hypertext, offset, &fehler);
        AtspiHyperlink* verweis =
            !fehler && index >= 0 ? atspi_hypertext_get_link(hypertext, index, &fehler) : nullptr;
        AtspiBaum::Knoten ziel(verweis && !fehler ? atspi_hyperlink_get_object(verweis, 0, &fehler)
                                                  : nullptr);
        if (verweis) {
            g_object_unref(verweis);
        }
        g_clear_error(&fehler);
        return ziel;
    }

    static AtspiBaum::Knoten kindAn(AtspiAccessible* knoten, int index) {
        GError* fehler = nullptr;
        AtspiBaum::Knoten kind(atspi_accessible_get_child_at_index(knoten, index, &fehler));
        g_clear_error(&fehler);
        return kind;
    }

    void sammleKind(AtspiAccessible* knoten, int index) {
        if (AtspiBaum::Knoten kind = kindAn(knoten, index)) {
            sammle(kind.get());
        }
    }

    std::chrono::steady_clock::time_point ende_;
    bool nurAuswahl_;
    QString aus_;
};

} // namespace

QString lies(AtspiAccessible* dokument, std::chrono::steady_clock::time_point ende) {
    Leser leser(ende, false);
    leser.sammle(dokument);
    return leser.ergebnis();
}

QString auswahl(AtspiAccessible* element, std::chrono::steady_clock::time_point ende) {
    Leser leser(ende, true);
    leser.sammle(element);
    return leser.ergebnis();
}

} // namespace parlix::AtspiDokumentText
