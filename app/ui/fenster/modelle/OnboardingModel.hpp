#pragma once

#include <QObject>
#include <QString>

namespace parlix {

class Barrierefreiheit;
class DesktopZugang;
class MikrofonDienst;

// The three grants Parlix needs, as the permission rows of the onboarding and setup
// windows show them. On Linux: the microphone is usable when a recording can be opened;
// "accessibility" needs global keys and synthetic input on the display and the
// accessibility bus switched on; screen capture needs the active window to be readable.
// Main thread.
class OnboardingModel final : public QObject {
    Q_OBJECT

public:
    enum class Recht { mikro, bedienung, bildschirm };

    // What a row shows: a check mark, or what is missing with an action that fixes it
    // (aktionKey) and/or a note (hinweisKey). Keys are localisation keys; empty = none.
    struct Zeile {
        bool erteilt = false;
        QString aktionKey;
        QString hinweisKey;
    };

    OnboardingModel(MikrofonDienst& mikrofon, DesktopZugang& desktop,
                    Barrierefreiheit& barrierefreiheit);

    bool mikro() const { return mikro_; }
    bool bedienung() const { return bedienung_; }
    bool bildschirm() const { return bildschirm_; }
    bool allesOK() const { return mikro_ && bedienung_ && bildschirm_; }

    // Reads the states afresh and announces them.
    void aktualisiere();

    Zeile zeile(Recht recht) const;
    // The row's action: opens the sound settings or switches the accessibility bus on,
    // then reads the states again.
    void fuehreAus(Recht recht);

signals:
    void geaendert();

private:
    MikrofonDienst& mikrofon_;
    DesktopZugang& desktop_;
    Barrierefreiheit& barrierefreiheit_;

    bool mikro_ = false;
    bool bedienung_ = false;
    bool bildschirm_ = false;
    QString aufnahmeHinweis_;
    // The parts behind bedienung_, for the row's advice.
    bool wayland_ = false;
    bool eingabe_ = false;
    bool bus_ = false;
    // The last action's outcome, when it needs saying.
    bool keineToneinstellungen_ = false;
    bool busEingeschaltet_ = false;
};

} // namespace parlix
