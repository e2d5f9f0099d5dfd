#include "core/services/StreamNachricht.hpp"

#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;

namespace {

TEST(StreamNachrichtTest, TheFirstMemberThatAppliesDecides) {
    using Art = StreamNachricht::Art;
    const struct {
        const char* json;
        Art art;
        QString text;
    } faelle[] = {
        {R"({"delta":"A","final":"B"})", Art::delta, u"A"_s},
        {R"({"delta":7,"final":"B","error":1})", Art::final, u"B"_s},
        {R"({"final":"","delta":null})", Art::final, QString()},
        {R"({"final":null,"error":null})", Art::fehler, QString()},
        {R"({"error":{"x":1},"delta":"A"})", Art::delta, u"A"_s},
        {R"({"andere":"A"})", Art::unbekannt, QString()},
        {R"(["delta","A"])", Art::unbekannt, QString()},
        {R"({"delta":"A")", Art::unbekannt, QString()},
        {"", Art::unbekannt, QString()},
    };
    for (const auto& fall : faelle) {
        const StreamNachricht nachricht = StreamNachricht::aus(QString::fromUtf8(fall.json));
        EXPECT_EQ(nachricht.art, fall.art) << fall.json;
        EXPECT_EQ(nachricht.text, fall.text) << fall.json;
    }
}

} // namespace
