#include "core/history/VerlaufEintrag.hpp"

#include <QJsonDocument>
#include <QJsonValue>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

QJsonObject objekt(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

const char* const gueltig = R"({"id": "6BA7B810-9DAD-11D1-80B4-00C04FD430C8",
    "datum": 1.5, "art": "Diktat", "text": "Hallo", "gesagt": "hallo"})";

TEST(VerlaufEintragTest, JsonFormHasExactlyTheStoredKeys) {
    VerlaufEintrag eintrag = VerlaufEintrag::erstelle(QStringLiteral("Aktion"),
                                                      QStringLiteral("Ergebnis"), std::nullopt);
    QJsonObject json = eintrag.alsJson();
    EXPECT_EQ(json.keys(), (QStringList{QStringLiteral("art"), QStringLiteral("datum"),
                                        QStringLiteral("id"), QStringLiteral("text")}));
    const QString id = json.value(QStringLiteral("id")).toString();
    EXPECT_EQ(id, id.toUpper());
    EXPECT_EQ(QUuid::fromString(id), eintrag.id);
    EXPECT_EQ(VerlaufEintrag::ausJson(json), eintrag);

    eintrag.gesagt = QString();
    json = eintrag.alsJson();
    EXPECT_EQ(json.value(QStringLiteral("gesagt")), QJsonValue(QString()));
    EXPECT_EQ(VerlaufEintrag::ausJson(json), eintrag);
}

TEST(VerlaufEintragTest, DatesAreSecondsSinceTwoThousandOne) {
    const auto eintrag = VerlaufEintrag::ausJson(objekt(gueltig));
    ASSERT_TRUE(eintrag.has_value());
    EXPECT_EQ(eintrag->datum, QDateTime(QDate(2001, 1, 1), QTime(0, 0, 1, 500), Qt::UTC));
    EXPECT_EQ(eintrag->gesagt, QStringLiteral("hallo"));

    VerlaufEintrag frueher = *eintrag;
    frueher.datum = QDateTime(QDate(2000, 12, 30), QTime(23, 59, 59, 750), Qt::UTC);
    EXPECT_EQ(frueher.alsJson().value(QStringLiteral("datum")).toDouble(), -86400.25);

    // Now, at millisecond precision, survives the round trip through its text form.
    const VerlaufEintrag jetzt =
        VerlaufEintrag::erstelle(QStringLiteral("Diktat"), QStringLiteral("x"), std::nullopt);
    const QByteArray text = QJsonDocument(jetzt.alsJson()).toJson();
    const auto zurueck = VerlaufEintrag::ausJson(QJsonDocument::fromJson(text).object());
    ASSERT_TRUE(zurueck.has_value());
    EXPECT_EQ(zurueck->datum, jetzt.datum);
    EXPECT_EQ(zurueck->datum.toMSecsSinceEpoch(), jetzt.datum.toMSecsSinceEpoch());
}

TEST(VerlaufEintragTest, ReadsOnlyCompleteWellTypedEntries) {
    const QJsonObject basis = objekt(gueltig);
    EXPECT_TRUE(VerlaufEintrag::ausJson(basis).has_value());

    auto mit = [&](const QString& schluessel, const QJsonValue& wert) {
        QJsonObject o = basis;
        o.insert(schluessel, wert); // Undefined removes the key
        return VerlaufEintrag::ausJson(o);
    };
    for (const char* pflicht : {"id", "datum", "art", "text"}) {
        EXPECT_FALSE(mit(QString::fromLatin1(pflicht), QJsonValue::Undefined)) << pflicht;
        EXPECT_FALSE(mit(QString::fromLatin1(pflicht), QJsonValue::Null)) << pflicht;
    }
    EXPECT_FALSE(mit(QStringLiteral("datum"), QStringLiteral("1.5")));
    EXPECT_FALSE(mit(QStringLiteral("datum"), 1e300));
    EXPECT_FALSE(mit(QStringLiteral("text"), 7));
    EXPECT_FALSE(mit(QStringLiteral("gesagt"), 7));
    EXPECT_FALSE(mit(QStringLiteral("id"), QStringLiteral("kein-uuid")));
    EXPECT_FALSE(
        mit(QStringLiteral("id"), QStringLiteral("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}")));
    EXPECT_FALSE(VerlaufEintrag::ausJson(QJsonValue(QStringLiteral("Hallo"))));

    EXPECT_EQ(mit(QStringLiteral("gesagt"), QJsonValue::Undefined)->gesagt, std::nullopt);
    EXPECT_EQ(mit(QStringLiteral("gesagt"), QJsonValue::Null)->gesagt, std::nullopt);
    EXPECT_TRUE(mit(QStringLiteral("id"), QStringLiteral("6ba7b810-9dad-11d1-80b4-00c04fd430c8")));
    EXPECT_TRUE(mit(QStringLiteral("id"), QStringLiteral("00000000-0000-0000-0000-000000000000")));
    EXPECT_TRUE(mit(QStringLiteral("unbekannt"), true));
    EXPECT_EQ(mit(QStringLiteral("datum"), 12)->datum.toSecsSinceEpoch(), 978307212);
}

} // namespace
