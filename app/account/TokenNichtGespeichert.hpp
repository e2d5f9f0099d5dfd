#pragma once

#include <QString>
#include <stdexcept>

namespace parlix {

// A sign-in the backend accepted whose token could not be stored (folder not writable,
// disk full): every later call would go out without it, so the sign-in counts as failed.
class TokenNichtGespeichert : public std::runtime_error {
public:
    explicit TokenNichtGespeichert(const QString& datei)
        : std::runtime_error("Token nicht gespeichert: " + datei.toStdString())
        , datei_(datei) {}

    QString datei() const { return datei_; }

private:
    QString datei_;
};

} // namespace parlix
