#include "app/platform/atspi/AtspiBrowserText.hpp"

#include "app/platform/VordergrundApp.hpp"
#include "app/platform/atspi/AtspiBaum.hpp"
#include "app/platform/atspi/AtspiDokumentText.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/text/Browser.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr std::chrono::milliseconds kVordergrundFrist{1000};

} // namespace

bool AtspiBrowserText::browserVorn() {
    const auto id = warteAufJob<std::optional<QString>>(
        [this](std::function<void()> job) { mainQueue_.post(std::move(job)); },
        [this] { return vordergrund_.anwendungsID(); }, kVordergrundFrist);
    return id && Browser::unterstuetzt(*id);
}

QString AtspiBrowserText::seitentext() {
    if (!browserVorn()) {
        return {};
    }
    const auto ende = AtspiBaum::Uhr::now() + kFrist;
    // Absent: no document; a read that ran out of time returns what it had.
    const auto text = verbindung_.fuehreAus<std::optional<QString>>(
        [ende]() -> std::optional<QString> {
            AtspiBaum::Knoten fenster = AtspiBaum::aktivesFenster();
            AtspiBaum::Knoten dokument =
                fenster ? AtspiBaum::sichtbaresDokument(fenster.get(), ende) : nullptr;
            if (!dokument) {
                return std::nullopt;
            }
            return AtspiDokumentText::lies(dokument.get(), ende);
        },
        kFrist + std::chrono::milliseconds(500));
    if (!text || !*text) {
        log().schreibe(u"BrowserText-Fehler: kein lesbares Dokument im aktiven Fenster"_s);
        return {};
    }
    return (*text)->trimmed();
}

} // namespace parlix
