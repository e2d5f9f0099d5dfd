#include "app/ui/verlauf/GlasVerlaufModel.hpp"

namespace parlix {

void GlasVerlaufModel::erhoeheAnim() {
    ++anim_;
    emit animGeaendert(anim_);
}

void GlasVerlaufModel::setzeHervorID(const std::optional<QUuid>& id) {
    if (id != hervorID_) {
        hervorID_ = id;
        emit hervorIDGeaendert();
    }
}

} // namespace parlix
