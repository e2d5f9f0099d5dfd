#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace parlix {

// A custom voice command of the action mode: spoken trigger words mapped to a fixed
// instruction for the model.
struct Befehl {
    QUuid id;
    QString name;
    // One or more comma-separated alternatives.
    QString ausloeser;
    QString prompt;
    // true: the result is pasted; false: it is shown in the history panel.
    bool direktEinfuegen = false;

    bool operator==(const Befehl&) const = default;

    // Whether any trigger occurs, case-insensitively, anywhere in the spoken text, even
    // inside a longer word ("tweet" matches "retweete das").
    bool passt(const QString& text) const;

    // Every key is written; "direktEinfuegen" may be missing or null when reading (false).
    QJsonObject alsJson() const;
    static std::optional<Befehl> ausJson(const QJsonObject& objekt);
    static QByteArray listeAlsJson(const QList<Befehl>& liste);
    // Nothing when any element is unreadable.
    static std::optional<QList<Befehl>> listeAusJson(const QByteArray& json);

    // The built-in commands, built once per process with fresh ids.
    static const QList<Befehl>& standard();
};

} // namespace parlix
