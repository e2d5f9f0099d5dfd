#pragma once

#include "app/platform/linux/TastenSender.hpp"
#include "app/platform/wayland/FernAblage.hpp"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <memory>
#include <mutex>

namespace parlix {

// Keystrokes and the clipboard through Mutter's own remote-desktop interface on the
// session bus (org.gnome.Mutter.RemoteDesktop), the way GNOME 43 and 44 offer both
// without a dialog: they have no data-control, and their RemoteDesktop portal has no
// clipboard and asks the user at every start. One session lives as long as this object;
// its virtual keyboard also gives a headless seat the keyboard that clients need to be
// focused. A sandboxed program cannot reach it; GNOME 45's portal gains a clipboard and
// a restore token, which then does the same after asking once.
class MutterFernsteuerung final : public QObject, public TastenSender {
    Q_OBJECT

public:
    explicit MutterFernsteuerung(QDBusConnection bus);
    ~MutterFernsteuerung() override;

    // Whether the bus offers Mutter's interface. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);

    // Opens and starts the session with its clipboard; false (and a log line) when Mutter
    // refused. Main thread.
    bool starte();

    // Each key as a keysym, which Mutter finds on the user's keymap. Any thread but the
    // bus connection's; false when there is no session or Mutter refused a key.
    bool tippe(const Tastenkombination& taste) override;

    // The session's clipboard.
    FernAblage::Weg ablageWeg() const;

private slots:
    void sitzungEndete();

private:
    bool laeuft() const;
    bool sende(quint32 keysym, bool runter) const;

    QDBusConnection bus_;
    QString sitzung_; // set once by starte()
    mutable std::mutex sperre_;
    bool laeuft_ = false; // under sperre_
};

} // namespace parlix
