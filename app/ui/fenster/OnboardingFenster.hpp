#pragma once

#include <QWidget>

class QPushButton;

namespace parlix {

class DefaultsStore;
class OnboardingModel;

// The permission window: the three grants and one closing button, "Done" when all are
// present, else "Later"; either marks the onboarding as done. The grants are read again
// whenever the window becomes active, so a grant given meanwhile shows up.
class OnboardingFenster final : public QWidget {
    Q_OBJECT

public:
    OnboardingFenster(OnboardingModel& model, DefaultsStore& speicher, QWidget* eltern = nullptr);

    QPushButton* schliessen() const { return schliessen_; }

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    void zeigeKnopf();

    OnboardingModel& model_;
    DefaultsStore& speicher_;
    QPushButton* schliessen_;
};

} // namespace parlix
