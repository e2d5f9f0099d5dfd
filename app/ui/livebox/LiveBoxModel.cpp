#include "app/ui/livebox/LiveBoxModel.hpp"

namespace parlix {

void LiveBoxModel::setze(const QString& text) {
    const QStringList teile = text.split(u' ', Qt::SkipEmptyParts);
    QList<Wort> neu;
    neu.reserve(teile.size());
    for (qsizetype i = 0; i < teile.size(); ++i) {
        if (i < woerter_.size() && woerter_.at(i).text == teile.at(i)) {
            neu.append(woerter_.at(i));
        } else {
            neu.append({++zaehler_, teile.at(i)});
        }
    }
    woerter_ = std::move(neu);
    emit woerterGeaendert();
}

void LiveBoxModel::leere() {
    woerter_.clear();
    emit woerterGeaendert();
}

QList<LiveBoxModel::Wort> LiveBoxModel::sichtbareWoerter() const {
    return woerter_.mid(std::max<qsizetype>(0, woerter_.size() - sichtbar));
}

} // namespace parlix
