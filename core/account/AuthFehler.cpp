#include "core/account/AuthFehler.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

AuthFehler::AuthFehler(Fall fall, const QString& text, const QString& beschreibung, int status)
    : std::runtime_error(beschreibung.toStdString())
    , fall_(fall)
    , text_(text)
    , status_(status) {}

AuthFehler AuthFehler::ungueltig(const QString& text, int status) {
    return {Fall::ungueltig, text, text, status};
}

AuthFehler AuthFehler::netzwerk() {
    return {Fall::netzwerk, {}, u"keine HTTP-Antwort"_s, 0};
}

} // namespace parlix
