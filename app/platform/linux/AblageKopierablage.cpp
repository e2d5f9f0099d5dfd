#include "app/platform/linux/AblageKopierablage.hpp"

#include "app/platform/linux/Ablage.hpp"

namespace parlix {

AblageKopierablage::AblageKopierablage(Ablage& ablage)
    : ablage_(ablage) {}

bool AblageKopierablage::kopiere(const QString& text) {
    return ablage_.setze(Ablage::Art::zwischenablage, text);
}

} // namespace parlix
