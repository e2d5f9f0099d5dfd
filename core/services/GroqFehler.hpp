#pragma once

#include <QString>
#include <stdexcept>

namespace parlix {

// The failures of a service call that are not transport failures.
class GroqFehler : public std::runtime_error {
public:
    enum class Fall {
        http,              // a status outside 200-299; status() and text() say more
        keinKey,           // neither a token nor a device id: nothing was sent
        ungueltigeAntwort, // the answer was not HTTP
        keinJson,          // a body that should be JSON is not; text() says why
    };

    // `koerper`: the whole body, for the backend's machine-readable reason (grund()).
    static GroqFehler http(int status, const QString& text, const QByteArray& koerper = {});
    static GroqFehler keinKey();
    static GroqFehler ungueltigeAntwort();
    static GroqFehler keinJson(const QString& grund);

    Fall fall() const { return fall_; }
    // For `http`: the status and at most the first 300 bytes of the body as UTF-8
    // (empty when those bytes are not valid UTF-8). For `keinJson`: the parser's reason.
    int status() const { return status_; }
    QString text() const { return text_; }
    // For `http`: the member "grund" of a JSON body (why the backend or its provider
    // refused, for example "anbieterSchluessel") and the provider's own error text
    // ("anbieterText"); empty when the body carries none. Read from the whole body, as a
    // long provider text would push the reason out of text().
    QString grund() const { return grund_; }
    QString anbieterText() const { return anbieterText_; }

private:
    GroqFehler(Fall fall, int status, const QString& text, const QString& beschreibung);

    Fall fall_;
    int status_;
    QString text_;
    QString grund_;
    QString anbieterText_;
};

} // namespace parlix
