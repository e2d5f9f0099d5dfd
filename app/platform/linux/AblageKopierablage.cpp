#include "app/platform/linux/AblageKopierablage.hpp"

#include "app/platform/linux/Ablage.hpp"

namespace parlix {

WaylandKopierablage::WaylandKopierablage(Ablage& ablage)
    : ablage_(ablage) {}

bool WaylandKopierablage::kopiere(const QString& text) {
    return ablage_.setze(Ablage::Art::zwischenablage, text);
}

} // namespace parlix
