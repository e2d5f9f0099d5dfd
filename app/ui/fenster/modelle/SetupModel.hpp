#pragma once

#include <QObject>

namespace parlix {

class DefaultsStore;
class OnboardingModel;

// The first-run setup: step 0 the interface language, 1 the permissions, 2 the speech and
// language providers, 3 the account.
// Main thread.
class SetupModel final : public QObject {
    Q_OBJECT

public:
    static constexpr int letzterSchritt = 3;
    static constexpr int anbieterSchritt = 2;

    SetupModel(OnboardingModel& rechte, DefaultsStore& speicher);

    int schritt() const { return schritt_; }
    OnboardingModel& rechte() { return rechte_; }

    // One step on; on the last step it finishes.
    void weiter();
    // One step back, not before the first.
    void zurueck();
    // Stores the language and makes it the running interface language at once.
    void waehleSprache(const QString& code);
    // Marks both the setup and the permission onboarding as done.
    void beende();

signals:
    void schrittGeaendert(int schritt);
    void spracheGeaendert();
    void fertig();

private:
    void geheZu(int schritt);

    OnboardingModel& rechte_;
    DefaultsStore& speicher_;
    int schritt_ = 0;
};

} // namespace parlix
