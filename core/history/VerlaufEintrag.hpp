#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <optional>

namespace parlix {

// One result in the history. Its JSON form is stored and must stay readable:
// {"id": upper-case UUID, "datum": seconds since 2001-01-01 00:00:00 UTC (fractional),
//  "art": kind, "text": result, "gesagt": what was said (left out when absent)}.
struct VerlaufEintrag {
    QUuid id;
    QDateTime datum; // UTC, millisecond precision
    QString art;     // "Diktat", "Bearbeitung", "Aktion", "Prompt", "Antwort" or any other
    QString text;
    std::optional<QString> gesagt;

    // A new entry with a fresh id and the current time; the text is taken as given.
    static VerlaufEintrag erstelle(QString art, QString text, std::optional<QString> gesagt);

    QJsonObject alsJson() const;
    // None unless "id", "datum", "art" and "text" are present with their types and
    // "gesagt", if present and not null, is a text. Other keys are ignored.
    static std::optional<VerlaufEintrag> ausJson(const QJsonValue& json);

    bool operator==(const VerlaufEintrag&) const = default;
};

} // namespace parlix
