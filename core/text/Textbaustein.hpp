#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace parlix {

// A text snippet: spoken trigger words that the cleanup model replaces verbatim with a
// fixed text. The application never expands snippets itself.
struct Textbaustein {
    QUuid id;
    QString name;
    // Comma-separated alternatives by convention; given to the model as written.
    QString ausloeser;
    QString inhalt;

    bool operator==(const Textbaustein&) const = default;

    // All four keys are written and all four are required when reading.
    QJsonObject alsJson() const;
    static std::optional<Textbaustein> ausJson(const QJsonObject& objekt);
    static QByteArray listeAlsJson(const QList<Textbaustein>& liste);
    // Nothing when any element is unreadable.
    static std::optional<QList<Textbaustein>> listeAusJson(const QByteArray& json);

    // The built-in snippets, built once per process with fresh ids.
    static const QList<Textbaustein>& standard();
};

} // namespace parlix
