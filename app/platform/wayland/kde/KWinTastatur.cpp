#include "app/platform/wayland/kde/KWinTastatur.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "fake-input.h"

#include <vector>
#include <wayland-client.h>

namespace parlix {

KWinTastatur::KWinTastatur(WaylandVerbindung& verbindung, XTastenTabelle::Keysym belegung)
    : verbindung_(verbindung)
    , belegung_(std::move(belegung)) {
    if (!verbindung_.bietet(org_kde_kwin_fake_input_interface.name)) {
        return;
    }
    eingabe_ =
        verbindung_
            .frage<org_kde_kwin_fake_input*>([this]() -> org_kde_kwin_fake_input* {
                auto* eingabe = static_cast<org_kde_kwin_fake_input*>(
                    verbindung_.binde(&org_kde_kwin_fake_input_interface, 4));
                if (eingabe == nullptr) {
                    return nullptr;
                }
                // keyboard_key came with version 4.
                if (org_kde_kwin_fake_input_get_version(eingabe) < 4) {
                    org_kde_kwin_fake_input_destroy(eingabe);
                    return nullptr;
                }
                org_kde_kwin_fake_input_authenticate(eingabe, "Parlix", "Diktierten Text einfügen");
                return verbindung_.rundlauf() ? eingabe : nullptr;
            })
            .value_or(nullptr);
}

KWinTastatur::~KWinTastatur() {
    if (eingabe_ != nullptr) {
        verbindung_.fuehreAus([this] { org_kde_kwin_fake_input_destroy(eingabe_); });
    }
}

bool KWinTastatur::tippe(const Tastenkombination& taste) {
    if (eingabe_ == nullptr) {
        return false;
    }
    const auto codes = XTastenTabelle::kernelCodes(belegung_, gedrueckt(taste));
    if (!codes) {
        return false;
    }
    const std::vector<quint16>& runter = *codes;
    return verbindung_
        .frage<bool>([&] {
            for (const quint16 code : runter) {
                org_kde_kwin_fake_input_keyboard_key(eingabe_, code, WL_KEYBOARD_KEY_STATE_PRESSED);
            }
            for (auto code = runter.rbegin(); code != runter.rend(); ++code) {
                org_kde_kwin_fake_input_keyboard_key(eingabe_, *code,
                                                     WL_KEYBOARD_KEY_STATE_RELEASED);
            }
            return verbindung_.rundlauf();
        })
        .value_or(false);
}

} // namespace parlix
