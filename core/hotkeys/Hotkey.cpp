#include "core/hotkeys/Hotkey.hpp"

#include "core/util/JsonFeld.hpp"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// A JSON string literal with Qt's escaping ("name" may hold quotes or control characters).
QByteArray jsonText(const QString& text) {
    const QByteArray feld = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return feld.mid(1, feld.size() - 2);
}

} // namespace

QByteArray Hotkey::alsJson() const {
    // QJsonObject sorts its keys; the stored form keeps the field order instead.
    return "{\"keyCode\":" + QByteArray::number(keyCode) +
           ",\"modifiers\":" + QByteArray::number(modifiers) +
           ",\"istModifierTaste\":" + (istModifierTaste ? "true" : "false") +
           ",\"name\":" + jsonText(name) + '}';
}

std::optional<Hotkey> Hotkey::ausJson(const QByteArray& json) {
    const QJsonDocument dokument = QJsonDocument::fromJson(json);
    if (!dokument.isObject()) {
        return std::nullopt;
    }
    return ausJson(dokument.object());
}

std::optional<Hotkey> Hotkey::ausJson(const QJsonObject& objekt) {
    const auto keyCode = JsonFeld::ganzzahl(objekt, u"keyCode"_s);
    const auto modifiers = JsonFeld::ganzzahl(objekt, u"modifiers"_s);
    const auto istModifierTaste = JsonFeld::flag(objekt, u"istModifierTaste"_s);
    const auto name = JsonFeld::text(objekt, u"name"_s);
    if (!keyCode || !modifiers || *modifiers < 0 || !istModifierTaste || !name) {
        return std::nullopt;
    }
    return Hotkey{*keyCode, static_cast<quint64>(*modifiers), *istModifierTaste, *name};
}

Hotkey Hotkey::diktatStandard() {
    return {59, 0, true, u"Linke Strg"_s};
}

Hotkey Hotkey::aktionStandard() {
    return {62, 0, true, u"Rechte Strg"_s};
}

Hotkey Hotkey::promptStandard() {
    return {54, 0, true, u"Rechte Cmd"_s};
}

Hotkey Hotkey::lockStandard() {
    // The name puts Command first, unlike names built from a recording.
    return {37, command | shift, false, u"⌘⇧L"_s};
}

} // namespace parlix
