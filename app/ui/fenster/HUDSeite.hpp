#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QTimer;

namespace parlix {

class DefaultsStore;
class HUDModel;
class SettingsModel;
class Texte;

// The HUD pane: style, colour and size of the recording indicator, with a live preview.
class HUDSeite final : public QWidget {
    Q_OBJECT

public:
    using Vorschau = std::function<QWidget*(HUDModel& model, QWidget* eltern)>;

    // Without a preview the preview card is left out.
    HUDSeite(SettingsModel& model, DefaultsStore& speicher, const Texte& texte,
             const Vorschau& vorschau, QWidget* eltern = nullptr);
    ~HUDSeite() override;

protected:
    // The preview moves only while it can be seen.
    void showEvent(QShowEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;

private:
    std::unique_ptr<HUDModel> vorschauModel_;
    QTimer* takt_ = nullptr;
};

} // namespace parlix
