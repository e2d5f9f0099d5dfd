#pragma once

#include <functional>
#include <memory>

namespace parlix {

class AXKontext;
class AXVertrauen;
class Barrierefreiheit;
class BrowserText;
class VordergrundApp;

// What every Linux desktop reads over the accessibility bus: the platform assembly makes
// these services and hands them to the desktop's own assembly, which fills in those
// that its desktop has no better way for. Main thread.
struct KontextDienste {
    // What the services share (the bus connection); the platform keeps it.
    std::shared_ptr<void> verbindung;
    std::shared_ptr<Barrierefreiheit> barrierefreiheit;
    std::shared_ptr<AXKontext> axKontext;
    // The application of the window the bus reports active.
    std::function<std::shared_ptr<VordergrundApp>()> aktivesFenster;
    // The page text of the browser that `vordergrund` reports frontmost.
    std::function<std::shared_ptr<BrowserText>(VordergrundApp& vordergrund)> browserText;
    // Trusted while the bus answers, and only where `tastatur` (keys can be posted).
    std::function<std::shared_ptr<AXVertrauen>(bool tastatur)> vertrauen;
};

// Makes them when a desktop's assembly first needs them: a session without a desktop
// opens no accessibility bus.
using KontextFabrik = std::function<KontextDienste()>;

} // namespace parlix
