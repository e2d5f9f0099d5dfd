#include "bench/kennzahlen/HUDFenster.hpp"

#include "app/platform/KindProzess.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace parlix::bench::HUDFenster {

QList<Kennzahl> miss() {
    const std::optional<QByteArray> ausgabe = KindProzess::ausgabe(
        QStringLiteral(PARLIX_HUD_BENCH),
        {u"--benchmark_filter=BM_HUDFensterAnimiert"_s, u"--benchmark_format=json"_s},
        std::chrono::minutes(2));
    if (!ausgabe) {
        return {};
    }
    const QJsonObject lauf =
        QJsonDocument::fromJson(*ausgabe).object()[u"benchmarks"_s].toArray().first().toObject();
    const double bilderProSekunde = lauf[u"bilder_pro_s"_s].toDouble();
    if (bilderProSekunde <= 0) {
        return {};
    }
    const QString wie = u"%1 frames per second drawn; the whole process (drawing, X11 "
                        "transfer, event loop)"_s.arg(bilderProSekunde, 0, 'f', 1);
    return {{u"hud_cpu_prozent"_s, u"HUD animating: processor"_s,
             lauf[u"cpu_anteil_prozent"_s].toDouble(), u"%"_s, u"of one core; "_s + wie},
            {u"hud_bild_ms"_s, u"HUD animating: processor time per frame"_s,
             lauf[u"cpu_ms_pro_bild"_s].toDouble(), u"ms"_s,
             u"a frame is due every 16.7 ms; "_s + wie}};
}

} // namespace parlix::bench::HUDFenster
