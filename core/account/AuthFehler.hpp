#pragma once

#include <QString>
#include <stdexcept>

namespace parlix {

// Failures of the account calls that are not transport failures.
class AuthFehler : public std::runtime_error {
public:
    enum class Fall {
        ungueltig, // refused or without the expected content; text() is shown to the user
        netzwerk,  // the answer was not HTTP
    };

    static AuthFehler ungueltig(const QString& text);
    static AuthFehler netzwerk();

    Fall fall() const { return fall_; }
    QString text() const { return text_; }

private:
    AuthFehler(Fall fall, const QString& text, const QString& beschreibung);

    Fall fall_;
    QString text_;
};

} // namespace parlix
