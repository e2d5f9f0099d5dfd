#include "app/platform/atspi/AtspiBaum.hpp"

#include <functional>
#include <optional>
#include <vector>

namespace parlix::AtspiBaum {

namespace {

// A page or window larger than this is not searched any further by walking.
constexpr int kHoechstensKnoten = 20000;

using Pruefung = std::function<bool(AtspiAccessible*)>;

QString alsText(gchar* text) {
    QString ergebnis = QString::fromUtf8(text);
    g_free(text);
    return ergebnis;
}

int anzahlKinder(AtspiAccessible* knoten) {
    GError* fehler = nullptr;
    const int anzahl = atspi_accessible_get_child_count(knoten, &fehler);
    g_clear_error(&fehler);
    return anzahl > 0 ? anzahl : 0;
}

Knoten kind(AtspiAccessible* knoten, int index) {
    GError* fehler = nullptr;
    Knoten ergebnis(atspi_accessible_get_child_at_index(knoten, index, &fehler));
    g_clear_error(&fehler);
    return ergebnis;
}

bool hatZustand(AtspiAccessible* knoten, AtspiStateType zustand) {
    AtspiStateSet* zustaende = atspi_accessible_get_state_set(knoten);
    const bool ergebnis = zustaende && atspi_state_set_contains(zustaende, zustand);
    if (zustaende) {
        g_object_unref(zustaende);
    }
    return ergebnis;
}

AtspiRole rolleVon(AtspiAccessible* knoten) {
    GError* fehler = nullptr;
    const AtspiRole ergebnis = atspi_accessible_get_role(knoten, &fehler);
    g_clear_error(&fehler);
    return ergebnis;
}

// The first match in canonical order, asked of the application in one call. Absent
// when the application has no collection interface (Qt's bridge has none).
std::optional<Knoten> perSammlung(AtspiAccessible* wurzel, AtspiMatchRule* regel) {
    AtspiCollection* sammlung = atspi_accessible_get_collection_iface(wurzel);
    if (!sammlung) {
        return std::nullopt;
    }
    GError* fehler = nullptr;
    GArray* treffer = atspi_collection_get_matches(
        sammlung, regel, ATSPI_Collection_SORT_ORDER_CANONICAL, 1, TRUE, &fehler);
    g_object_unref(sammlung);
    if (fehler) {
        g_error_free(fehler);
        return std::nullopt;
    }
    Knoten ergebnis;
    for (guint i = 0; treffer && i < treffer->len; ++i) {
        auto* knoten = g_array_index(treffer, AtspiAccessible*, i);
        if (!ergebnis) {
            ergebnis.reset(knoten);
        } else {
            g_object_unref(knoten);
        }
    }
    if (treffer) {
        g_array_free(treffer, TRUE);
    }
    return ergebnis;
}

// Depth first through the showing part of the tree.
Knoten perSuche(AtspiAccessible* wurzel, const Pruefung& passt, Uhr::time_point ende) {
    std::vector<Knoten> offen;
    offen.emplace_back(static_cast<AtspiAccessible*>(g_object_ref(wurzel)));
    for (int besucht = 0; !offen.empty() && besucht < kHoechstensKnoten; ++besucht) {
        if (Uhr::now() > ende) {
            return {};
        }
        Knoten knoten = std::move(offen.back());
        offen.pop_back();
        if (passt(knoten.get())) {
            return knoten;
        }
        for (int i = anzahlKinder(knoten.get()) - 1; i >= 0; --i) {
            if (Knoten k = kind(knoten.get(), i); k && hatZustand(k.get(), ATSPI_STATE_SHOWING)) {
                offen.push_back(std::move(k));
            }
        }
    }
    return {};
}

Knoten ersterTreffer(AtspiAccessible* wurzel, AtspiMatchRule* regel, const Pruefung& passt,
                     Uhr::time_point ende) {
    std::optional<Knoten> treffer = perSammlung(wurzel, regel);
    g_object_unref(regel);
    return treffer ? std::move(*treffer) : perSuche(wurzel, passt, ende);
}

AtspiMatchRule* regel(std::vector<AtspiStateType> zustaende, std::vector<AtspiRole> rollen) {
    GArray* zustandsFeld = g_array_new(FALSE, FALSE, sizeof(AtspiStateType));
    g_array_append_vals(zustandsFeld, zustaende.data(), static_cast<guint>(zustaende.size()));
    AtspiStateSet* menge = atspi_state_set_new(zustandsFeld);
    g_array_free(zustandsFeld, TRUE);
    GArray* rollenFeld = g_array_new(FALSE, FALSE, sizeof(AtspiRole));
    g_array_append_vals(rollenFeld, rollen.data(), static_cast<guint>(rollen.size()));
    AtspiMatchRule* ergebnis = atspi_match_rule_new(
        menge, ATSPI_Collection_MATCH_ALL, nullptr, ATSPI_Collection_MATCH_NONE, rollenFeld,
        ATSPI_Collection_MATCH_ANY, nullptr, ATSPI_Collection_MATCH_NONE, FALSE);
    g_object_unref(menge);
    g_array_free(rollenFeld, TRUE);
    return ergebnis;
}

AtspiText* textSchnittstelle(AtspiAccessible* knoten) {
    return atspi_accessible_get_text_iface(knoten);
}

} // namespace

Knoten aktivesFenster() {
    Knoten desktop(atspi_get_desktop(0));
    if (!desktop) {
        return {};
    }
    // GNOME Shell keeps reporting a window of its own as active while an application has
    // the focus: its window counts only when no other application has one.
    Knoten shell;
    for (int a = 0; a < anzahlKinder(desktop.get()); ++a) {
        Knoten anwendung = kind(desktop.get(), a);
        for (int f = 0; anwendung && f < anzahlKinder(anwendung.get()); ++f) {
            Knoten fenster = kind(anwendung.get(), f);
            if (!fenster || !hatZustand(fenster.get(), ATSPI_STATE_ACTIVE)) {
                continue;
            }
            GError* fehler = nullptr;
            const QString name = alsText(atspi_accessible_get_name(anwendung.get(), &fehler));
            g_clear_error(&fehler);
            if (name != QStringLiteral("gnome-shell")) {
                return fenster;
            }
            if (!shell) {
                shell = std::move(fenster);
            }
        }
    }
    return shell;
}

Knoten fokussiertesElement(AtspiAccessible* fenster, Uhr::time_point ende) {
    return ersterTreffer(
        fenster, regel({ATSPI_STATE_FOCUSED}, {}),
        [](AtspiAccessible* k) { return hatZustand(k, ATSPI_STATE_FOCUSED); }, ende);
}

Knoten sichtbaresDokument(AtspiAccessible* fenster, Uhr::time_point ende) {
    return ersterTreffer(
        fenster, regel({ATSPI_STATE_SHOWING}, {ATSPI_ROLE_DOCUMENT_WEB}),
        [](AtspiAccessible* k) { return rolleVon(k) == ATSPI_ROLE_DOCUMENT_WEB; }, ende);
}

QString rolle(AtspiAccessible* knoten) {
    GError* fehler = nullptr;
    QString name = alsText(atspi_accessible_get_role_name(knoten, &fehler));
    g_clear_error(&fehler);
    return name.isEmpty() ? QStringLiteral("?") : name;
}

QString ganzerText(AtspiAccessible* knoten) {
    AtspiText* text = textSchnittstelle(knoten);
    if (!text) {
        return {};
    }
    GError* fehler = nullptr;
    QString ergebnis = alsText(atspi_text_get_text(text, 0, -1, &fehler));
    g_clear_error(&fehler);
    g_object_unref(text);
    return ergebnis;
}

std::optional<Bereich> auswahlBereich(AtspiAccessible* knoten) {
    AtspiText* text = textSchnittstelle(knoten);
    if (!text) {
        return std::nullopt;
    }
    std::optional<Bereich> ergebnis;
    GError* fehler = nullptr;
    if (atspi_text_get_n_selections(text, &fehler) > 0 && !fehler) {
        AtspiRange* bereich = atspi_text_get_selection(text, 0, &fehler);
        if (bereich && !fehler && bereich->end_offset > bereich->start_offset) {
            ergebnis = Bereich{bereich->start_offset, bereich->end_offset};
        }
        g_free(bereich);
    }
    g_clear_error(&fehler);
    g_object_unref(text);
    return ergebnis;
}

QString auswahl(AtspiAccessible* knoten) {
    const std::optional<Bereich> bereich = auswahlBereich(knoten);
    AtspiText* text = bereich ? textSchnittstelle(knoten) : nullptr;
    if (!text) {
        return {};
    }
    GError* fehler = nullptr;
    QString ergebnis = alsText(atspi_text_get_text(text, bereich->von, bereich->bis, &fehler));
    g_clear_error(&fehler);
    g_object_unref(text);
    return ergebnis;
}

} // namespace parlix::AtspiBaum
