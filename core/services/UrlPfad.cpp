#include "core/services/UrlPfad.hpp"

namespace parlix {

QUrl mitPfad(const QUrl& basis, const QString& pfad) {
    QUrl url = basis;
    QString neu = basis.path(QUrl::FullyEncoded);
    if (!neu.endsWith(QLatin1Char('/'))) {
        neu += QLatin1Char('/');
    }
    url.setPath(neu + pfad, QUrl::TolerantMode);
    return url;
}

} // namespace parlix
