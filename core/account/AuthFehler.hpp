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

    // status: the HTTP status of a refusal; 0 when the answer itself was unusable.
    static AuthFehler ungueltig(const QString& text, int status = 0);
    static AuthFehler netzwerk();

    Fall fall() const { return fall_; }
    QString text() const { return text_; }
    // Lets the sign-in screen say a refusal it knows (wrong password, too many tries) in
    // the interface language instead of the server's own words.
    int status() const { return status_; }

private:
    AuthFehler(Fall fall, const QString& text, const QString& beschreibung, int status);

    Fall fall_;
    QString text_;
    int status_;
};

} // namespace parlix
