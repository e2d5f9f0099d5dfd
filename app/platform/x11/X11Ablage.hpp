#pragma once

#include "app/platform/linux/Ablage.hpp"

#include <QClipboard>
#include <QObject>
#include <array>

class QMimeData;

namespace parlix {

// The X11 clipboard and primary selection through Qt, which keeps serving what it wrote
// while Parlix runs (a clipboard manager may take it over). Qt does not tell when
// another client reads the content: it counts as read at once. Main thread only.
class X11Ablage final : public Ablage {
public:
    X11Ablage();

    std::optional<QString> text(Art art) override;
    std::optional<QString> vorherigerText(Art art) override;
    quint64 schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) override;
    bool haeltEigenen(Art art, quint64 nummer) override;
    int gelesen(quint64 nummer) override;
    // Whether the selection now reads as `text`: another client may hold it against us.
    bool setze(Art art, const std::optional<QString>& text) override;
    quint64 aenderungen(Art art) override;

private:
    struct Auswahl {
        QClipboard::Mode modus;
        // Our latest content while Qt still holds it, and its number.
        const QMimeData* eigen = nullptr;
        quint64 nummer = 0;
        std::optional<QString> vorher{};
        quint64 aenderungen = 0;
    };

    Auswahl& auswahl(Art art) { return auswahlen_[art == Art::primaer ? 1 : 0]; }
    bool haeltEigenen(const Auswahl& auswahl) const;

    QObject kontext_;
    std::array<Auswahl, 2> auswahlen_{Auswahl{.modus = QClipboard::Clipboard},
                                      Auswahl{.modus = QClipboard::Selection}};
    quint64 nummer_ = 0;
};

} // namespace parlix
