#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace parlix {

// A hotkey: a modifier key held on its own, a plain key, or a key with modifiers.
// Key codes and modifier bits are the macOS ones (virtual key codes, AppKit flag bits);
// the X11 layer translates into them, so stored hotkeys are the same on every platform.
struct Hotkey {
    static constexpr quint64 shift = 0x20000;
    static constexpr quint64 control = 0x40000;
    static constexpr quint64 option = 0x80000;
    static constexpr quint64 command = 0x100000;
    // The only bits a recorded hotkey carries.
    static constexpr quint64 modifierMaske = shift | control | option | command;

    qint64 keyCode = 0;
    quint64 modifiers = 0;
    // Pressed alone and detected from flag changes, not from key-down events.
    bool istModifierTaste = false;
    QString name;

    bool istKombi() const { return modifiers != 0; }
    bool operator==(const Hotkey&) const = default;

    // {"keyCode":59,"modifiers":0,"istModifierTaste":true,"name":"Linke Strg"}, in this
    // key order; all four keys are required when reading.
    QByteArray alsJson() const;
    static std::optional<Hotkey> ausJson(const QByteArray& json);
    static std::optional<Hotkey> ausJson(const QJsonObject& objekt);

    static Hotkey diktatStandard();
    static Hotkey aktionStandard();
    static Hotkey promptStandard();
    static Hotkey lockStandard();
};

} // namespace parlix
