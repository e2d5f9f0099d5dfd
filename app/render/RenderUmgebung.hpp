#pragma once

#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/null/NullEscMonitor.hpp"
#include "app/ui/Texte.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"

namespace parlix {

// The world a view is drawn in by the render harness: settings of its own in memory
// (the interface language set, defaults otherwise), a history holding a few sample
// results in that language, and desktop services that do nothing. Fresh for every
// view, so a view may change anything. Main thread.
class RenderUmgebung {
public:
    explicit RenderUmgebung(const QString& sprache);

    SpeicherDefaultsStore speicher;
    Texte texte{speicher};
    VerlaufStore verlauf{speicher};
    QtMainQueue mainQueue;

    NullArbeitsflaeche arbeitsflaeche;
    NullEscMonitor escMonitor;
};

} // namespace parlix
