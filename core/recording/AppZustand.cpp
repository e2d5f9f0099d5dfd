#include "core/recording/AppZustand.hpp"

namespace parlix {

namespace {

// The one event that moves a state on, and where it leads.
struct Uebergang {
    AppEreignis ausloeser;
    AppZustand ziel;
};

Uebergang uebergangVon(AppZustand zustand) {
    switch (zustand) {
    case AppZustand::idle:
        return {AppEreignis::aufnahmeGestartet, AppZustand::aufnehmend};
    case AppZustand::aufnehmend:
        return {AppEreignis::aufnahmeGestoppt, AppZustand::transkribierend};
    case AppZustand::transkribierend:
        return {AppEreignis::textErhalten, AppZustand::einfuegend};
    case AppZustand::einfuegend:
        return {AppEreignis::fertig, AppZustand::idle};
    }
    return {AppEreignis::fehler, AppZustand::idle};
}

} // namespace

AppZustand naechster(AppZustand zustand, AppEreignis ereignis) {
    if (ereignis == AppEreignis::fehler) {
        return AppZustand::idle;
    }
    const Uebergang uebergang = uebergangVon(zustand);
    return ereignis == uebergang.ausloeser ? uebergang.ziel : zustand;
}

} // namespace parlix
