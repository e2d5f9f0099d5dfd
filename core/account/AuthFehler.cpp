#include "core/account/AuthFehler.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

AuthFehler::AuthFehler(Fall fall, const QString& text, const QString& beschreibung)
    : std::runtime_error(beschreibung.toStdString())
    , fall_(fall)
    , text_(text) {}

AuthFehler AuthFehler::ungueltig(const QString& text) {
    return {Fall::ungueltig, text, text};
}

AuthFehler AuthFehler::netzwerk() {
    return {Fall::netzwerk, {}, u"keine HTTP-Antwort"_s};
}

} // namespace parlix
