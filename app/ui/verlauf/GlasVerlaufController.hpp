#pragma once

#include "app/coordinator/GlasVerlauf.hpp"
#include "app/platform/EscMonitor.hpp"
#include "app/ui/verlauf/GlasVerlaufModel.hpp"

#include <QString>
#include <functional>
#include <memory>

namespace parlix {

class Arbeitsflaeche;
class GlasVerlaufFenster;
class Kopierablage;
class Texte;
class VerlaufStore;

// The floating history panel: built on first opening, then reused. A new result is put
// on the clipboard and shown highlighted; the menu's history command opens the panel
// as it is. While it is shown, Escape anywhere closes it. Main thread.
class GlasVerlaufController final : public GlasVerlauf {
public:
    GlasVerlaufController(VerlaufStore& store, const Texte& texte, EscMonitor& escMonitor,
                          Arbeitsflaeche& arbeitsflaeche, Kopierablage& kopierablage);
    ~GlasVerlaufController() override;

    bool zeigeNeuesErgebnis(const QString& text) override;
    // The menu's history command: opens the panel without changing the highlight.
    void zeigeVerlauf();
    void verstecke();

    // Insert action of a card; does nothing until start-up sets it.
    std::function<void(const QString& text)> onEinfuegen;

    GlasVerlaufModel& model() { return model_; }
    // Null before the first opening.
    GlasVerlaufFenster* fenster() const { return fenster_.get(); }
    bool sichtbar() const;
    // A card's copy button: the text on the clipboard, a log line when it was refused.
    bool kopiere(const QString& text);

private:
    void baueFalls();
    void bringe();
    void installiereEsc();
    void entferneEsc();

    VerlaufStore& store_;
    const Texte& texte_;
    EscMonitor& escMonitorDienst_;
    Arbeitsflaeche& arbeitsflaeche_;
    Kopierablage& kopierablage_;
    GlasVerlaufModel model_;
    std::unique_ptr<GlasVerlaufFenster> fenster_;
    std::unique_ptr<EscMonitor::Abo> escMonitor_;
};

} // namespace parlix
