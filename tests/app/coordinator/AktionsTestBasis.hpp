#pragma once

#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <QJsonObject>

namespace parlix::test {

// The coordinator with helpers for the action, reply, vision and editing runs: what the
// user said, what the context reads were asked, what the server received, what was
// delivered. The system prompts are written out here once, as the models expect them.
class AktionsTestBasis : public CoordinatorTestBasis {
protected:
    static const QString aktionsPrompt;
    static const QString promptModusPrompt;
    static const QString antwortPrompt;
    static const QString visionPrompt;
    static const QString editPrompt;
    // The reply-from-screenshot prompt around an intent.
    static QString antwortVisionPrompt(const QString& intent);

    AktionsTestBasis();

    // A recording whose transcript is `transkript`, run to its end.
    void sage(const QString& transkript, Aufnahmemodus modus = Aufnahmemodus::aktion);

    // Forgets the calls and the history of earlier runs; the log and the server's
    // requests stay.
    void vergissLaeufe();

    QList<Anfrage> chats() { return server.drehbuch().anfragen(chatPfad); }
    static QJsonObject koerperVon(const Anfrage& anfrage);
    // The reads of the user's screen, in order ("ax.text", "auswahlText", ...).
    QStringList kontextAufrufe() const;

    // Exactly this one result reached the user, pasted or in the panel, and the history.
    void erwarteGeliefert(const QString& text, const QString& art, bool eingefuegt,
                          const QString& gesagt);
    // The error of `key` is shown and nothing was delivered.
    void erwarteFehler(const QString& key);
    bool fehlerGeloggt() const;
};

} // namespace parlix::test
