#pragma once

#include "app/platform/BrowserText.hpp"

#include <chrono>

namespace parlix {

class AtspiVerbindung;
class MainQueue;
class VordergrundApp;

// The page text of the frontmost browser (Firefox, the Chromium family), read from the
// accessible tree of the showing web document in its active window. The browser must
// have started after the desktop's accessibility was switched on (see AtspiVerbindung);
// Chromium also follows --force-renderer-accessibility.
class AtspiBrowserText final : public BrowserText {
public:
    // Longest a page read may take; a larger page gives what was read by then.
    static constexpr std::chrono::milliseconds kFrist{4000};

    AtspiBrowserText(AtspiVerbindung& verbindung, VordergrundApp& vordergrund, MainQueue& mainQueue)
        : verbindung_(verbindung)
        , vordergrund_(vordergrund)
        , mainQueue_(mainQueue) {}

    QString seitentext() override;

private:
    bool browserVorn();

    AtspiVerbindung& verbindung_;
    VordergrundApp& vordergrund_;
    MainQueue& mainQueue_;
};

} // namespace parlix
