#include "app/platform/atspi/AtspiDienste.hpp"

#include "app/platform/atspi/AtspiBarrierefreiheit.hpp"
#include "app/platform/atspi/AtspiBrowserText.hpp"
#include "app/platform/atspi/AtspiKontext.hpp"
#include "app/platform/atspi/AtspiVerbindung.hpp"
#include "app/platform/atspi/AtspiVertrauen.hpp"
#include "app/platform/atspi/AtspiVordergrundApp.hpp"

namespace parlix::AtspiDienste {

KontextDienste erstelle(MainQueue& mainQueue) {
    auto atspi = std::make_shared<AtspiVerbindung>();
    KontextDienste d;
    d.verbindung = atspi;
    d.barrierefreiheit = std::make_shared<AtspiBarrierefreiheit>();
    d.axKontext = std::make_shared<AtspiKontext>(*atspi);
    d.aktivesFenster = [atspi] { return std::make_shared<AtspiVordergrundApp>(*atspi); };
    d.browserText = [atspi, &mainQueue](VordergrundApp& vordergrund) {
        return std::make_shared<AtspiBrowserText>(*atspi, vordergrund, mainQueue);
    };
    d.vertrauen = [atspi](bool tastatur) {
        return std::make_shared<AtspiVertrauen>(*atspi, tastatur);
    };
    return d;
}

} // namespace parlix::AtspiDienste
