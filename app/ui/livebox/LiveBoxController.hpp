#pragma once

#include "app/coordinator/LiveAnzeige.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"

namespace parlix {

class LiveBoxFenster;

// Owns the live word box's model and shows or hides its window. Main thread.
class LiveBoxController final : public LiveAnzeige {
public:
    explicit LiveBoxController(LiveBoxFenster& fenster);

    LiveBoxModel& model() { return model_; }

    void zeige() override;
    void setze(const QString& bisher) override { model_.setze(bisher); }
    void verstecke() override;

private:
    LiveBoxModel model_;
    LiveBoxFenster& fenster_;
};

} // namespace parlix
