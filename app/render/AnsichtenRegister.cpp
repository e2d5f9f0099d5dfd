#include "app/render/AnsichtenRegister.hpp"

#include <QRegularExpression>

namespace parlix {

void AnsichtenRegister::registriere(const QString& name, Bauer bauer) {
    bauer_.insert(name, std::move(bauer));
}

const AnsichtenRegister::Bauer* AnsichtenRegister::bauer(const QString& name) const {
    const auto treffer = bauer_.constFind(name);
    return treffer == bauer_.cend() ? nullptr : &*treffer;
}

QStringList AnsichtenRegister::waehle(const QStringList& muster) const {
    if (muster.isEmpty()) {
        return namen();
    }
    QStringList gewaehlt;
    for (const QString& name : bauer_.keys()) {
        for (const QString& m : muster) {
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(m))
                    .match(name)
                    .hasMatch()) {
                gewaehlt.append(name);
                break;
            }
        }
    }
    return gewaehlt;
}

} // namespace parlix
