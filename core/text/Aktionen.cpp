#include "core/text/Aktionen.hpp"

#include <QStringView>
#include <algorithm>
#include <array>

namespace parlix::Aktionen {

bool istAntwortAnfrage(const QString& text) {
    static constexpr std::array<QStringView, 3> praefixe{u"antworte", u"antwort ", u"reply"};
    const QString klein = text.toLower();
    return std::any_of(praefixe.begin(), praefixe.end(),
                       [&](QStringView praefix) { return klein.startsWith(praefix); });
}

} // namespace parlix::Aktionen
