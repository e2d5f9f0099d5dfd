#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <functional>
#include <optional>

class QSocketNotifier;

namespace parlix {

// What the desktop program tells its local server through a pipe (standard input): one
// JSON object per line. The first line is read before anything is served; later lines
// arrive while the server runs, on the thread that listens.
class Steuerleitung final : public QObject {
public:
    explicit Steuerleitung(int fd, QObject* eltern = nullptr);
    ~Steuerleitung() override;

    // Blocks for the first line; nothing when the pipe closes first or the line is no
    // JSON object.
    std::optional<QJsonObject> ersteZeile();
    // From now on each later line goes to `zeile` (lines that are no JSON object are
    // reported on standard error and skipped), and `geschlossen` runs once when the pipe
    // closes.
    void lausche(std::function<void(const QJsonObject&)> zeile, std::function<void()> geschlossen);

private:
    enum class Gelesen { daten, nichts, ende };
    // Reads what is there (waits for it until lausche()).
    Gelesen lies();
    std::optional<QByteArray> naechsteZeile();
    void weiter();

    int fd_;
    QByteArray puffer_;
    QSocketNotifier* melder_ = nullptr;
    std::function<void(const QJsonObject&)> zeile_;
    std::function<void()> geschlossen_;
};

} // namespace parlix
